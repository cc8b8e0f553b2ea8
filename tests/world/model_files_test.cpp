#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "generated_world.h"
#include "loaded_model.h"
#include "support/temp_files.h"
#include "world_generator.h"

namespace {

struct ImageInfo {
    int width = 0, height = 0, channels = 0;
};

ImageInfo ProbeImage(const std::string& path) {
    ImageInfo info;
    if (!stbi_info(path.c_str(), &info.width, &info.height, &info.channels)) return {};
    return info;
}

// Materials that at least one face uses: the player makes one mesh for each of them.
std::set<int> UsedMaterials(const LoadedModel& model) {
    std::set<int> used;
    for (const tinyobj::shape_t& shape : model.shapes) {
        used.insert(shape.mesh.material_ids.begin(), shape.mesh.material_ids.end());
    }
    return used;
}

struct ModelExpectation {
    const char* path;
    size_t meshesAtLeast;
};

}  // namespace

TEST(WorldModels, EveryModelLoadsLikeThePlayerWithoutWarningsAndWithEveryTexture) {
    const ModelExpectation models[] = {
        {"models/statue/12338_Statue_v1_L3.obj", 1},
        {"models/well/well.obj", 3},
        {"models/islands/islands.obj", 1},
        {"models/firefly/Firefly_Flit.obj", 1},
    };
    for (const ModelExpectation& expected : models) {
        SCOPED_TRACE(expected.path);
        const LoadedModel model = LoadLikeThePlayer(GeneratedWorldDir() + "/" + expected.path);
        ASSERT_TRUE(model.ok);
        EXPECT_EQ(model.warning, "");
        EXPECT_EQ(model.error, "");
        ASSERT_FALSE(model.materials.empty());
        const std::set<int> used = UsedMaterials(model);
        EXPECT_GE(used.size(), expected.meshesAtLeast);
        for (const int id : used) {
            EXPECT_GE(id, 0);
            EXPECT_LT(id, static_cast<int>(model.materials.size()));
        }
        for (const tinyobj::shape_t& shape : model.shapes) {
            EXPECT_EQ(shape.mesh.indices.size(), 3 * shape.mesh.material_ids.size());
            for (const tinyobj::index_t& corner : shape.mesh.indices) {
                ASSERT_GE(corner.normal_index, 0);
                ASSERT_GE(corner.texcoord_index, 0);
            }
        }
        for (const tinyobj::material_t& material : model.materials) {
            for (const std::string& map : {material.diffuse_texname, material.emissive_texname}) {
                if (map.empty()) continue;
                const ImageInfo image = ProbeImage(model.baseDir + map);
                EXPECT_TRUE(image.channels == 3 || image.channels == 4) << map;
                EXPECT_LE(image.width, 1024) << map;
                EXPECT_LE(image.height, 1024) << map;
            }
        }
    }
}

TEST(WorldModels, WellHasStoneWoodAndRoofAndFireflyHasDiffuseAndGlowMaps) {
    const LoadedModel well = LoadLikeThePlayer(GeneratedWorldDir() + "/models/well/well.obj");
    std::set<std::string> wellMaterials;
    for (const int id : UsedMaterials(well)) {
        wellMaterials.insert(well.materials[static_cast<size_t>(id)].name);
        EXPECT_FALSE(well.materials[static_cast<size_t>(id)].diffuse_texname.empty());
    }
    for (const char* name : {"stone", "wood", "roof"})
        EXPECT_EQ(wellMaterials.count(name), 1u) << name;

    const LoadedModel firefly =
        LoadLikeThePlayer(GeneratedWorldDir() + "/models/firefly/Firefly_Flit.obj");
    ASSERT_EQ(firefly.materials.size(), 1u);
    EXPECT_FALSE(firefly.materials[0].diffuse_texname.empty());
    EXPECT_FALSE(firefly.materials[0].emissive_texname.empty());
    // The emissive map glows somewhere and is dark somewhere else (only the lantern shines).
    int width = 0, height = 0, channels = 0;
    unsigned char* glow =
        stbi_load((firefly.baseDir + firefly.materials[0].emissive_texname).c_str(), &width,
                  &height, &channels, 3);
    ASSERT_NE(glow, nullptr);
    int bright = 0, dark = 0;
    for (int i = 0; i < width * height; ++i) {
        const int sum = glow[3 * i] + glow[3 * i + 1] + glow[3 * i + 2];
        bright += sum > 400;
        dark += sum < 10;
    }
    stbi_image_free(glow);
    EXPECT_GT(bright, width * height / 20);
    EXPECT_GT(dark, width * height / 2);
}

TEST(WorldTextures, BrickIsOpaqueRgbAndTheMoonIsADiscOnTransparency) {
    const ImageInfo brick = ProbeImage(GeneratedWorldDir() + "/brick.png");
    EXPECT_EQ(brick.channels, 3);
    EXPECT_EQ(brick.width, 256);
    EXPECT_EQ(brick.height, 256);

    int width = 0, height = 0, channels = 0;
    unsigned char* moon = stbi_load((GeneratedWorldDir() + "/moon_texture.png").c_str(), &width,
                                    &height, &channels, 0);
    ASSERT_NE(moon, nullptr);
    EXPECT_EQ(channels, 4);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 512);
    const auto alpha = [&](int x, int y) { return moon[4 * (y * width + x) + 3]; };
    const auto grey = [&](int x, int y) { return moon[4 * (y * width + x)]; };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(width - 1, height - 1), 0);
    EXPECT_EQ(alpha(4, height / 2), 0);
    EXPECT_EQ(alpha(width / 2, height / 2), 255);
    EXPECT_EQ(alpha(width / 2, 12), 255);
    // Maria and craters: the disc is not one flat grey.
    int darkest = 255, brightest = 0;
    for (int y = 64; y < height - 64; y += 4) {
        for (int x = 64; x < width - 64; x += 4) {
            darkest = std::min<int>(darkest, grey(x, y));
            brightest = std::max<int>(brightest, grey(x, y));
        }
    }
    stbi_image_free(moon);
    EXPECT_GT(brightest - darkest, 60);
}

TEST(WorldGenerator, WritesTheSameBytesEveryRunWellUnderAMinute) {
    EXPECT_LT(GenerationSeconds(), 60.0);
    const std::filesystem::path again = GeneratedWorldDir() + "_again";
    std::filesystem::remove_all(again);
    ASSERT_TRUE(GenerateWorld(again.string()));
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(GeneratedWorldDir())) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::filesystem::path relative =
            std::filesystem::relative(entry.path(), GeneratedWorldDir());
        EXPECT_EQ(ReadFile(entry.path()), ReadFile(again / relative)) << relative;
    }
    EXPECT_EQ(files, 19u);
    std::filesystem::remove_all(again);
}
