#pragma once

#include <string>

// Writes a 256 x 256 RGB brick wall texture to `path`; false when it cannot be written.
bool WriteBrickTexture(const std::string& path);
