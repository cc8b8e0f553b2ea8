#pragma once

#include <string>
#include <vector>

// Sampler uniform names for a texture list, in order: "diffuse", "specular" and "emissive"
// textures are numbered per type from 0 ("diffuse0", "emissive0", "diffuse1", ...); any other
// type name is used as it stands.
std::vector<std::string> SamplerNames(const std::vector<const char*>& typeNames);
