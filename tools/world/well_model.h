#pragma once

#include "model_mesh.h"

// The well in model units (the scene scales it by 0.12): a round stone wall around an open shaft
// with water at the bottom, two wooden posts carrying a windlass with a hanging bucket, and a
// pitched roof. The roof is high and the windlass sits on the well's axis so that the firefly
// hovering 1.9 units off the axis, 4.9 units up, has free air around it and a free way up and out
// towards +z.
Model MakeWellModel();
