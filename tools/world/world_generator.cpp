#include "world_generator.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "brick_texture.h"
#include "firefly_model.h"
#include "firefly_textures.h"
#include "moon_texture.h"
#include "obj_writer.h"
#include "statue_model.h"
#include "terrain_levels_writer.h"
#include "terrain_mesh.h"
#include "terrain_textures.h"
#include "well_model.h"
#include "well_textures.h"

namespace {

bool Report(bool written, const std::string& what) {
    if (!written) std::cerr << "Could not write " << what << '\n';
    return written;
}

bool MakeDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return Report(!error, path);
}

bool WriteModel(const Model& model, const std::string& directory, const std::string& baseName) {
    return MakeDirectory(directory) &&
           Report(WriteObjModel(model, directory, baseName), directory + "/" + baseName + ".obj");
}

}  // namespace

bool GenerateWorld(const std::string& resourcesDir) {
    const std::string models = resourcesDir + "/models";
    const Model terrain = MakeTerrainModel();
    return MakeDirectory(resourcesDir) &&
           Report(WriteBrickTexture(resourcesDir + "/brick.png"), "brick.png") &&
           Report(WriteMoonTexture(resourcesDir + "/moon_texture.png"), "moon_texture.png") &&
           WriteModel(MakeStatueModel(), models + "/statue", "12338_Statue_v1_L3") &&
           WriteModel(MakeWellModel(), models + "/well", "well") &&
           Report(WriteWellTextures(models + "/well"), "the well's textures") &&
           WriteModel(MakeFireflyModel(), models + "/firefly", "Firefly_Flit") &&
           Report(WriteFireflyTextures(models + "/firefly"), "the firefly's textures") &&
           WriteModel(terrain, models + "/islands", "islands") &&
           Report(WriteTerrainTextures(terrain.mesh, models + "/islands"),
                  "the islands' textures") &&
           WriteTerrainLevels(models + "/islands/islands.obj", models + "/islands/islands.levels");
}
