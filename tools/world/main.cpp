#include <iostream>

#include "world_generator.h"

// Usage: lumenvale_world [resources directory, default "resources"]
int main(int argc, char** argv) {
    const std::string resourcesDir = argc > 1 ? argv[1] : "resources";
    if (!GenerateWorld(resourcesDir)) return 1;
    std::cout << "World written to " << resourcesDir << '\n';
    return 0;
}
