#pragma once

#include <string>

// Writes a 512 x 512 RGBA image of the full moon to `path`: a grey disc with dark maria, craters
// and slightly darkened limb, fully transparent outside the disc. False when it cannot be
// written.
bool WriteMoonTexture(const std::string& path);
