#include "terrain_textures.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cmath>
#include <memory>

#include "generated_world.h"
#include "render/scene_layout.h"
#include "scene_fixture.h"

namespace {

// The colour map as the player samples it: texture coordinates with v up, the file's first row
// at the top.
class ColourMap {
  public:
    explicit ColourMap(const std::string& path)
        : pixels(stbi_load(path.c_str(), &width, &height, &channels, 4), stbi_image_free) {}
    bool Loaded() const { return pixels != nullptr; }
    glm::ivec4 At(float x, float z) const {
        const float u = (x + 150.0f) / 300.0f, v = (z + 150.0f) / 300.0f;
        const int column = static_cast<int>(u * static_cast<float>(width));
        const int row = static_cast<int>((1.0f - v) * static_cast<float>(height));
        const unsigned char* p = &pixels.get()[(static_cast<size_t>(row) * width + column) * 4];
        return {p[0], p[1], p[2], p[3]};
    }

  private:
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> pixels;
};

}  // namespace

// Each corner of the islands carries, as its texture coordinates, its place on the terrain's
// 300-unit square, so that the map lies on the ground it was painted for.
TEST(IslandsColourMap, TheTerrainsTextureCoordinatesPlaceTheMapOnItsSquare) {
    const tinyobj::attrib_t& file = Scene().terrain.attrib;
    size_t corners = 0;
    for (const tinyobj::shape_t& shape : Scene().terrain.shapes) {
        for (const tinyobj::index_t& corner : shape.mesh.indices) {
            const float x = file.vertices[3 * corner.vertex_index];
            const float z = file.vertices[3 * corner.vertex_index + 2];
            ASSERT_NEAR(file.texcoords[2 * corner.texcoord_index], (x + 150.0f) / 300.0f, 1e-5f);
            ASSERT_NEAR(file.texcoords[2 * corner.texcoord_index + 1], (z + 150.0f) / 300.0f,
                        1e-5f);
            ++corners;
        }
    }
    EXPECT_GT(corners, 100000u);
}

// The map shows what lies at each place: open wet sand on the well's low patch, bare grey rock on
// the western highland's summit, sea floor without open sand far out under the water.
TEST(IslandsColourMap, ShowsTheGroundThatLiesThere) {
    const ColourMap map(GeneratedWorldDir() + "/models/islands/" + kIslandsColourMap);
    ASSERT_TRUE(map.Loaded());
    const glm::ivec4 well = map.At(scene_layout::kWellBase.x + 1.5f, scene_layout::kWellBase.z);
    EXPECT_GT(well.a, 40) << "open sand";
    EXPECT_GT(well.r, well.g);
    EXPECT_GT(well.g, well.b);
    EXPECT_GT(well.r - well.b, 30) << "sand's yellow";
    const glm::ivec4 summit = map.At(-31.0f, -6.0f);
    EXPECT_EQ(summit.a, 0);
    EXPECT_LT(std::abs(summit.r - summit.g), 16) << "grey rock";
    EXPECT_LT(std::abs(summit.g - summit.b), 24) << "no grass, dry or green";
    const glm::ivec4 seaFloor = map.At(130.0f, -130.0f);
    EXPECT_EQ(seaFloor.a, 0) << "no ripples under water";
    EXPECT_LT(Scene().ground.HeightAt(130.0f, -130.0f).value_or(0.0f), -2.0f);
}
