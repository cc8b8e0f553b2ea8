#pragma once

#include <string>

// Writes the firefly's diffuse atlas (firefly_diffuse.png) and its emissive atlas
// (firefly_glow.png) into `directory`; false when a file cannot be written.
bool WriteFireflyTextures(const std::string& directory);
