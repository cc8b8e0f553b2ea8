// OBJ models written by the tests, parsed for real and sorted into per-material geometry; the
// GL cases upload them with real PNG textures.
#include "gfx/obj_loader.h"

#include <stb/stb_image_write.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <vector>

#include "support/console_lines.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

// Three triangles, each at its own height so a test can tell them apart: triangle t has its
// corners at y = t.
const char* const kThreePositionedTriangles = R"(v 0 0 0
v 1 0 0
v 0 0 1
v 0 1 0
v 1 1 0
v 0 1 1
v 0 2 0
v 1 2 0
v 0 2 1
)";

std::vector<float> CornerHeights(const ObjMaterialGeometry& geometry) {
    std::vector<float> heights;
    for (const Vertex& vertex : geometry.vertices) heights.push_back(vertex.position.y);
    return heights;
}

std::vector<GLuint> Sequence(GLuint count) {
    std::vector<GLuint> indices(count);
    for (GLuint i = 0; i < count; ++i) indices[i] = i;
    return indices;
}

std::string Read(const std::string& path, std::vector<ObjMaterialGeometry>& materials) {
    std::ostringstream out;
    const bool read = ReadObjGeometry(path, materials, out);
    EXPECT_TRUE(read) << out.str();
    return out.str();
}

}  // namespace

TEST(ObjGeometry, InterleavedMaterialsFormOneBucketEachInMaterialOrder) {
    TempDir dir;
    dir.Write("scene.mtl", R"(newmtl red
Kd 1 0 0
newmtl unused
Kd 0 0 1
newmtl green
Kd 0 0.5 0
)");
    const std::string obj =
        dir.Write("scene.obj", std::string("mtllib scene.mtl\n") + kThreePositionedTriangles +
                                   R"(usemtl green
f 1 2 3
usemtl red
f 4 5 6
usemtl green
f 7 8 9
)");
    std::vector<ObjMaterialGeometry> materials;
    EXPECT_EQ(Read(obj, materials), "");

    // "unused" has no faces and makes no bucket; the others keep their faces in file order.
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(CornerHeights(materials[0]), std::vector<float>({1, 1, 1}));
    EXPECT_EQ(CornerHeights(materials[1]), std::vector<float>({0, 0, 0, 2, 2, 2}));
    EXPECT_EQ(materials[0].indices, Sequence(3));
    EXPECT_EQ(materials[1].indices, Sequence(6));
    for (const Vertex& vertex : materials[0].vertices) EXPECT_EQ(vertex.color, glm::vec3(1, 0, 0));
    for (const Vertex& vertex : materials[1].vertices)
        EXPECT_EQ(vertex.color, glm::vec3(0, 0.5f, 0));
    EXPECT_EQ(materials[1].diffuseTexture, "");
    EXPECT_EQ(materials[1].emissiveTexture, "");
}

TEST(ObjGeometry, FacesWithoutAKnownMaterialJoinTheFirstMaterial) {
    TempDir dir;
    dir.Write("m.mtl", R"(newmtl first
Kd 0.25 0.5 0.75
newmtl second
Kd 0 0 0
)");
    const std::string obj =
        dir.Write("m.obj", std::string("mtllib m.mtl\n") + kThreePositionedTriangles + R"(f 1 2 3
usemtl second
f 4 5 6
usemtl nowhere
f 7 8 9
)");
    std::vector<ObjMaterialGeometry> materials;
    EXPECT_EQ(Read(obj, materials), "WARN: material [ 'nowhere' ] not found in .mtl\n\n");

    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(CornerHeights(materials[0]), std::vector<float>({0, 0, 0, 2, 2, 2}));
    for (const Vertex& vertex : materials[0].vertices)
        EXPECT_EQ(vertex.color, glm::vec3(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(CornerHeights(materials[1]), std::vector<float>({1, 1, 1}));
}

TEST(ObjGeometry, QuadsSplitIntoUnsharedCornersAndMissingAttributesGetDefaults) {
    TempDir dir;
    const std::string obj = dir.Write("quad.obj", R"(v -1 0 -1
v 1 0 -1
v 1 0 1
v -1 0 1
vt 0.25 0.75
vt 0.5 1
vn 0 0 -1
f 1 2 3 4
f 1/1/1 3//1 4/2
)");
    std::vector<ObjMaterialGeometry> materials;
    Read(obj, materials);

    // Without a material library the faces still form one plain white, untextured bucket.
    ASSERT_EQ(materials.size(), 1u);
    const ObjMaterialGeometry& quad = materials[0];
    EXPECT_EQ(quad.diffuseTexture, "");
    EXPECT_EQ(quad.emissiveTexture, "");
    ASSERT_EQ(quad.vertices.size(), 9u);
    EXPECT_EQ(quad.indices, Sequence(9));
    for (int corner = 0; corner < 6; ++corner) {
        EXPECT_EQ(quad.vertices[corner].normal, glm::vec3(0, 1, 0));
        EXPECT_EQ(quad.vertices[corner].texUV, glm::vec2(0, 0));
        EXPECT_EQ(quad.vertices[corner].color, glm::vec3(1, 1, 1));
    }
    // The two triangles of the quad cover its four corners between them.
    for (const glm::vec3 corner :
         {glm::vec3(-1, 0, -1), glm::vec3(1, 0, -1), glm::vec3(1, 0, 1), glm::vec3(-1, 0, 1)}) {
        int uses = 0;
        for (int i = 0; i < 6; ++i) uses += quad.vertices[i].position == corner;
        EXPECT_GE(uses, 1) << corner.x << " " << corner.z;
    }
    // Texture coordinates as stored (no flip); each attribute defaults on its own.
    EXPECT_EQ(quad.vertices[6].texUV, glm::vec2(0.25f, 0.75f));
    EXPECT_EQ(quad.vertices[6].normal, glm::vec3(0, 0, -1));
    EXPECT_EQ(quad.vertices[7].texUV, glm::vec2(0, 0));
    EXPECT_EQ(quad.vertices[7].normal, glm::vec3(0, 0, -1));
    EXPECT_EQ(quad.vertices[8].texUV, glm::vec2(0.5f, 1));
    EXPECT_EQ(quad.vertices[8].normal, glm::vec3(0, 1, 0));
    EXPECT_EQ(quad.vertices[8].position, glm::vec3(-1, 0, 1));
}

TEST(ObjGeometry, TextureNamesAreFoundBesideTheModel) {
    EXPECT_EQ(ObjBaseDir("resources/models/well/well.obj"), "resources/models/well/");
    EXPECT_EQ(ObjBaseDir("/abs.obj"), "/");
    EXPECT_EQ(ObjBaseDir("dir\\model.obj"), "");
    EXPECT_EQ(ObjBaseDir("a/b\\c.obj"), "a/");

    TempDir dir;
    const std::string mtl = R"(newmtl glowing
Kd 1 1 1
map_Ke -bm 0.5 glow.png
newmtl painted
Kd 1 1 1
map_Kd -s 2 2 1 paint.png
map_Ks shine.png
)";
    const std::string objText = std::string("mtllib m.mtl\n") + kThreePositionedTriangles +
                                "usemtl painted\nf 1 2 3\nusemtl glowing\nf 4 5 6\n";
    dir.Write("sub/m.mtl", mtl);
    const std::string obj = dir.Write("sub/m.obj", objText);
    std::vector<ObjMaterialGeometry> materials;
    Read(obj, materials);
    const std::string sub = (dir.path() / "sub").generic_string() + "/";
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(materials[0].diffuseTexture, "");
    EXPECT_EQ(materials[0].emissiveTexture, sub + "glow.png");
    EXPECT_EQ(materials[1].diffuseTexture, sub + "paint.png");
    EXPECT_EQ(materials[1].emissiveTexture, "");

    // Without a '/' in the path both the library and the textures are relative to the working
    // directory.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path() / "sub");
    std::vector<ObjMaterialGeometry> local;
    const std::string out = Read("m.obj", local);
    std::filesystem::current_path(previous);
    EXPECT_EQ(out, "");
    ASSERT_EQ(local.size(), 2u);
    EXPECT_EQ(local[0].emissiveTexture, "glow.png");
    EXPECT_EQ(local[1].diffuseTexture, "paint.png");
}

TEST(ObjGeometry, MissingMaterialLibraryIsAWarningAndTheFacesTurnWhite) {
    TempDir dir;
    const std::string obj =
        dir.Write("lost.obj", "mtllib lost.mtl\nusemtl gone\n" +
                                  std::string(kThreePositionedTriangles) + "f 1 2 3\n");
    std::vector<ObjMaterialGeometry> materials;
    const std::string out = Read(obj, materials);
    EXPECT_EQ(out.rfind("WARN: ", 0), 0u) << out;
    EXPECT_NE(out.find("lost.mtl"), std::string::npos) << out;
    EXPECT_EQ(out.find("ERR: "), std::string::npos) << out;
    ASSERT_EQ(materials.size(), 1u);
    EXPECT_EQ(materials[0].vertices.size(), 3u);
    EXPECT_EQ(materials[0].vertices[0].color, glm::vec3(1, 1, 1));
}

TEST(ObjGeometry, UnreadableModelsAndBadIndicesFailWithoutTouchingTheResult) {
    TempDir dir;
    std::vector<ObjMaterialGeometry> materials(1);
    materials[0].diffuseTexture = "kept.png";
    const auto expectFailure = [&](const std::string& path, const std::string& expectedOut) {
        std::ostringstream out;
        EXPECT_FALSE(ReadObjGeometry(path, materials, out));
        EXPECT_EQ(out.str(), expectedOut);
        ASSERT_EQ(materials.size(), 1u);
        EXPECT_EQ(materials[0].diffuseTexture, "kept.png");
    };

    const std::string missing = (dir.path() / "missing.obj").string();
    expectFailure(missing, "ERR: Cannot open file [" + missing + "]\n\n");

    const std::string farPosition =
        dir.Write("far_position.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 7\n");
    expectFailure(farPosition,
                  "WARN: Vertex indices out of bounds (line 5.)\n\n\n"
                  "ERR: " +
                      farPosition + ": a face uses position index 7, but the file defines 3 " +
                      "positions\n");

    const std::string farNormal =
        dir.Write("far_normal.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1//1 2//1 3//1\n");
    expectFailure(farNormal,
                  "WARN: Vertex normal indices out of bounds (line 4.)\n\n\n"
                  "ERR: " +
                      farNormal + ": a face uses normal index 1, but the file defines 0 " +
                      "normals\n");

    const std::string farTexcoord =
        dir.Write("far_texcoord.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/1 2/1 3/1\n");
    expectFailure(farTexcoord,
                  "WARN: Vertex texcoord indices out of bounds (line 4.)\n\n\n"
                  "ERR: " +
                      farTexcoord + ": a face uses texture coordinate index 1, but the file " +
                      "defines 0 texture coordinates\n");

    // A relative index that reaches before the first position.
    const std::string beforeFirst =
        dir.Write("before_first.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf -1 -2 -5\n");
    expectFailure(beforeFirst, "ERR: " + beforeFirst +
                                   ": a face uses position index -1, but the file defines 3 "
                                   "positions\n");

    // Files the parser reads without complaint but that hold nothing to draw.
    const std::string empty = dir.Write("empty.obj", "");
    expectFailure(empty, "ERR: " + empty + ": the file has no faces\n");
    const std::string garbage = dir.Write("garbage.obj", "\x89PNG\r\n\x1a\n\x01\x02 nothing\n");
    expectFailure(garbage, "ERR: " + garbage + ": the file has no faces\n");
    const std::string pointsOnly = dir.Write("points.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\n");
    expectFailure(pointsOnly, "ERR: " + pointsOnly + ": the file has no faces\n");

    const std::string huge = dir.Write("huge.obj", "v 1e39 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    expectFailure(huge, "ERR: " + huge + ": a position is not a finite number\n");
    // "nan" and "inf" the parser would read as 0: refused like 1e39.
    const std::string nanNormal =
        dir.Write("nan.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn nan 1 0\nf 1//1 2//1 3//1\n");
    expectFailure(nanNormal,
                  "ERR: " + nanNormal + ": line 4 has \"n...\" where a finite number belongs\n");

    // Neither a pipe nor a device is opened: it would block, or never end.
    if (std::filesystem::exists("/dev/zero"))
        expectFailure("/dev/zero",
                      "ERR: /dev/zero: is not a regular file (a pipe, a device or a socket)\n");
}

namespace {

class ObjImport : public GlTest {
  protected:
    void WritePng(const std::string& name, int channels) {
        const std::vector<unsigned char> pixels(static_cast<size_t>(2 * 2 * channels), 200);
        const std::string path = (dir.path() / name).string();
        ASSERT_TRUE(stbi_write_png(path.c_str(), 2, 2, channels, pixels.data(), 2 * channels));
    }

    static void ExpectTexture(const Texture& texture, const char* type, GLuint unit) {
        EXPECT_STREQ(texture.type, type);
        EXPECT_EQ(texture.unit, unit);
        EXPECT_NE(texture.ID, 0u);
        EXPECT_TRUE(glIsTexture(texture.ID));
    }

    TempDir dir;
    ConsoleLines console;
};

}  // namespace

TEST_F(ObjImport, MeshesFollowMaterialOrderWithTheirTexturesOnTheirUnits) {
    WritePng("paint.png", 3);
    WritePng("glow.png", 4);
    dir.Write("lamp.mtl", R"(newmtl both
Kd 0.5 0.5 0.5
map_Kd paint.png
map_Ke glow.png
newmtl glowOnly
Kd 1 1 0
map_Ke glow.png
newmtl neverUsed
map_Kd paint.png
newmtl plain
Kd 0 0 1
)");
    const std::string obj = dir.Write(
        "lamp.obj", std::string("mtllib lamp.mtl\n") + kThreePositionedTriangles + R"(usemtl plain
f 1 2 3
usemtl glowOnly
f 4 5 6
usemtl both
f 7 8 9
)");
    std::vector<Mesh> meshes;
    ASSERT_TRUE(LoadOBJ(obj, meshes, console));
    const std::string paint = (dir.path() / "paint.png").generic_string();
    const std::string glow = (dir.path() / "glow.png").generic_string();
    EXPECT_EQ(console.TakeErr(), "");
    EXPECT_EQ(console.TakeOut(), "Loaded texture: " + paint + " channels: 3\n" +
                                     "Loaded texture: " + glow + " channels: 4\n" +
                                     "Loaded texture: " + glow + " channels: 4\n");

    ASSERT_EQ(meshes.size(), 3u);
    ASSERT_EQ(meshes[0].textures.size(), 2u);
    ExpectTexture(meshes[0].textures[0], "diffuse", 0);
    ExpectTexture(meshes[0].textures[1], "emissive", 1);
    EXPECT_EQ(meshes[0].vertices[0].position.y, 2.0f);
    EXPECT_EQ(meshes[0].vertices[0].color, glm::vec3(0.5f));

    ASSERT_EQ(meshes[1].textures.size(), 1u);
    ExpectTexture(meshes[1].textures[0], "emissive", 0);
    // A texture shared by two materials is loaded once for each.
    EXPECT_NE(meshes[1].textures[0].ID, meshes[0].textures[1].ID);
    EXPECT_EQ(meshes[1].vertices[0].position.y, 1.0f);

    EXPECT_TRUE(meshes[2].textures.empty());
    EXPECT_EQ(meshes[2].vertices[0].color, glm::vec3(0, 0, 1));
    for (const Mesh& mesh : meshes) {
        EXPECT_EQ(mesh.indices, Sequence(3));
        EXPECT_TRUE(glIsVertexArray(mesh.vao.ID));
    }
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjImport, ASecondImportReplacesTheMeshesAndAFailedOneKeepsThem) {
    const std::string obj = dir.Write("tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    std::vector<Mesh> meshes;
    ASSERT_TRUE(LoadOBJ(obj, meshes, console));
    ASSERT_TRUE(LoadOBJ(obj, meshes, console));
    ASSERT_EQ(meshes.size(), 1u);
    const GLuint kept = meshes[0].vao.ID;

    EXPECT_FALSE(LoadOBJ((dir.path() / "absent.obj").string(), meshes, console));
    const std::string bad = dir.Write("bad.obj", "v 0 0 0\nf 1 1 2\n");
    EXPECT_FALSE(LoadOBJ(bad, meshes, console));
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].vao.ID, kept);
}
