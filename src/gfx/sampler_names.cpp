#include "gfx/sampler_names.h"

#include <cstring>

std::vector<std::string> SamplerNames(const std::vector<const char*>& typeNames) {
    unsigned diffuse = 0, specular = 0, emissive = 0;
    std::vector<std::string> names;
    names.reserve(typeNames.size());
    for (const char* type : typeNames) {
        std::string name = type;
        if (std::strcmp(type, "diffuse") == 0) {
            name += std::to_string(diffuse++);
        } else if (std::strcmp(type, "specular") == 0) {
            name += std::to_string(specular++);
        } else if (std::strcmp(type, "emissive") == 0) {
            name += std::to_string(emissive++);
        }
        names.push_back(std::move(name));
    }
    return names;
}
