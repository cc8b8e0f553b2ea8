#pragma once

#include "model_mesh.h"

// A robed figure with one arm raised, standing on a stepped stone pedestal; one marble material
// without textures. The film loads it but never shows it.
Model MakeStatueModel();
