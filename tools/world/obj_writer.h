#pragma once

#include <string>

#include "model_mesh.h"

// Writes `<directory>/<baseName>.obj` and its library `<directory>/<baseName>.mtl`. Faces are
// grouped by material, in material order, and every number is printed in a fixed format so the
// files are identical on every run. Returns false when a file cannot be written.
bool WriteObjModel(const Model& model, const std::string& directory, const std::string& baseName);
