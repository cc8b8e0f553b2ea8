#pragma once

#include <string>

// Writes the well's diffuse textures (well_stone.png, well_wood.png, well_roof.png,
// well_water.png) into `directory`; false when a file cannot be written.
bool WriteWellTextures(const std::string& directory);
