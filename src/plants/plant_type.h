#pragma once

#include <cstdint>

// The plant kinds. All five grow from the same recipe; the placement only ever uses Type4.
enum PlantType : int32_t { Type0, Type1, Type2, Type3, Type4 };
