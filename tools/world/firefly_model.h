#pragma once

#include "model_mesh.h"

// A firefly about two units long, facing +Y with its back to +Z (the player turns it upright and
// scales it by 0.06 in flight): head with eyes and antennae, orange shield, thorax, raised wing
// cases, spread hind wings, six legs and a segmented abdomen ending in a glowing lantern. One
// material carries both the diffuse map and the emissive map.
Model MakeFireflyModel();
