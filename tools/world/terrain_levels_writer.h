#pragma once

#include <string>

// Reads the terrain model at `objPath` as the player reads it, cuts it into the player's pieces
// and writes each piece's coarser levels to `levelsPath` (render/terrain_levels.h). Returns false
// (after printing what failed) when the model cannot be read or the file cannot be written.
bool WriteTerrainLevels(const std::string& objPath, const std::string& levelsPath);
