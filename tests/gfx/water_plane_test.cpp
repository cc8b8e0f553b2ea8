// The water grid's layout and spacing, and the plane drawn in a real context.
#include "gfx/water_plane.h"

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>
#include <sstream>

#include "gfx/camera.h"
#include "gfx/shader.h"
#include "render/film_view.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

float ColumnX(const MeshGeometry& grid, int column) {
    return grid.vertices[static_cast<size_t>(column)].position.x;
}

}  // namespace

TEST(WaterGrid, CornersCountsAndTrianglesFollowTheRowMajorLayout) {
    // A plane that is not square shows whether width and depth went to the right axes.
    const glm::vec3 color(0.0f, 0.3f, 0.6f);
    const MeshGeometry grid = WaterGrid(300.0f, 120.0f, color);
    ASSERT_EQ(grid.vertices.size(), 40000u);
    ASSERT_EQ(grid.indices.size(), 237606u);

    const Vertex& first = grid.vertices.front();
    EXPECT_EQ(first.position, glm::vec3(-150.0f, 0.0f, -60.0f));
    EXPECT_EQ(first.texUV, glm::vec2(0.0f, 0.0f));
    const Vertex& last = grid.vertices.back();
    EXPECT_EQ(last.position, glm::vec3(150.0f, 0.0f, 60.0f));
    EXPECT_EQ(last.texUV, glm::vec2(1.0f, 1.0f));
    // Row 1 starts at vertex 200: the next z, the first x.
    EXPECT_EQ(grid.vertices[200].position.x, -150.0f);
    EXPECT_GT(grid.vertices[200].position.z, -60.0f);
    EXPECT_EQ(grid.vertices[200].texUV, glm::vec2(0.0f, 1.0f / 199.0f));

    for (const Vertex& vertex : grid.vertices) {
        ASSERT_EQ(vertex.color, color);
        ASSERT_EQ(vertex.normal, glm::vec3(0.0f, 1.0f, 0.0f));
        ASSERT_EQ(vertex.position.y, 0.0f);
    }

    EXPECT_EQ(std::vector<GLuint>(grid.indices.begin(), grid.indices.begin() + 6),
              std::vector<GLuint>({0, 200, 1, 1, 200, 201}));
    EXPECT_EQ(std::vector<GLuint>(grid.indices.end() - 6, grid.indices.end()),
              std::vector<GLuint>({39798, 39998, 39799, 39799, 39998, 39999}));
    // The second row of cells starts one vertex row further on.
    EXPECT_EQ(grid.indices[199 * 6], 200u);
}

TEST(WaterGrid, LinesSpreadAtTheCentreAndCrowdAtTheBorder) {
    const MeshGeometry grid = WaterGrid(300.0f, 300.0f, glm::vec3(1.0f));

    EXPECT_NEAR(ColumnX(grid, 98), -7.95938f, 5e-6f);
    EXPECT_NEAR(ColumnX(grid, 101), 7.95937f, 5e-6f);
    EXPECT_NEAR(ColumnX(grid, 99), -3.689f, 1e-3f);
    EXPECT_NEAR(ColumnX(grid, 100), 3.689f, 1e-3f);
    EXPECT_EQ(ColumnX(grid, 0), -150.0f);
    EXPECT_NEAR(ColumnX(grid, 1), -148.943f, 1e-3f);

    // Mirror symmetry, and the cells shrink steadily from the centre outwards.
    for (int column = 0; column < 100; ++column) {
        EXPECT_NEAR(ColumnX(grid, column), -ColumnX(grid, 199 - column), 1e-4f) << column;
        if (column > 0) {
            const float outer = ColumnX(grid, column) - ColumnX(grid, column - 1);
            const float inner = ColumnX(grid, column + 1) - ColumnX(grid, column);
            EXPECT_LT(outer, inner) << column;
        }
    }
    // The same warp along z: row j lies where column j does.
    for (int j : {0, 1, 57, 99, 100, 198, 199})
        EXPECT_EQ(grid.vertices[static_cast<size_t>(j) * 200 + 17].position.z, ColumnX(grid, j));
}

// The cells grouped piece by piece: every cell's two triangles once, as they were, and each
// piece one run over a square of cells (the last row and column of pieces narrower).
TEST(WaterGrid, PiecesHoldEveryCellOnceWithinTheirSquares) {
    const MeshGeometry rowMajor = WaterGrid(300.0f, 300.0f, glm::vec3(1.0f));
    for (const int cellsPerPiece : {17, 50, 199}) {
        SCOPED_TRACE(cellsPerPiece);
        MeshGeometry grid = rowMajor;
        const std::vector<IndexRange> pieces = GroupCellsIntoPieces(grid, cellsPerPiece);
        const int perSide = (199 + cellsPerPiece - 1) / cellsPerPiece;
        ASSERT_EQ(pieces.size(), static_cast<size_t>(perSide * perSide));
        ASSERT_EQ(grid.indices.size(), rowMajor.indices.size());
        std::vector<int> seen(199 * 199, 0);
        GLuint next = 0;
        for (size_t p = 0; p < pieces.size(); ++p) {
            ASSERT_EQ(pieces[p].first, next) << "the pieces follow one another";
            next += static_cast<GLuint>(pieces[p].count);
            const int top = static_cast<int>(p) / perSide * cellsPerPiece;
            const int left = static_cast<int>(p) % perSide * cellsPerPiece;
            for (GLuint i = pieces[p].first; i < next; i += 6) {
                const GLuint k = grid.indices[i];  // the cell's first corner
                const int row = static_cast<int>(k / 200), column = static_cast<int>(k % 200);
                ASSERT_TRUE(row >= top && row < top + cellsPerPiece && column >= left &&
                            column < left + cellsPerPiece)
                    << "cell " << row << ", " << column << " in piece " << p;
                const size_t cell = static_cast<size_t>(row * 199 + column);
                ++seen[cell];
                EXPECT_TRUE(std::equal(grid.indices.begin() + i, grid.indices.begin() + i + 6,
                                       rowMajor.indices.begin() + cell * 6));
            }
        }
        EXPECT_EQ(next, grid.indices.size());
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 199 * 199);
    }
}

namespace {

class WaterPlaneDraw : public GlTest {};

}  // namespace

TEST_F(WaterPlaneDraw, DrawsItsVertexColourWithoutTextures) {
    TempDir dir;
    const auto vert = dir.Write("water.vert", R"(#version 330 core
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
uniform mat4 camMatrix;
out vec3 color;
void main() { color = aColor; gl_Position = camMatrix * vec4(aPos, 1.0); })");
    const auto frag = dir.Write("water.frag", R"(#version 330 core
in vec3 color;
uniform int useTexture;
out vec4 FragColor;
void main() { FragColor = useTexture == 0 ? vec4(color, 1.0) : vec4(1.0, 0.0, 1.0, 1.0); })");
    std::ostringstream problems;
    Shader program(vert.c_str(), frag.c_str(), problems);
    EXPECT_EQ(problems.str(), "");
    program.Activate();
    glUniform1i(glGetUniformLocation(program.ID, "useTexture"), 1);

    WaterPlane water(300.0f, 300.0f, glm::vec3(0.0f, 0.4f, 0.8f));
    EXPECT_TRUE(water.textures.empty());
    EXPECT_EQ(water.vertices.size(), 40000u);
    EXPECT_EQ(water.indices.size(), 237606u);

    // Looking down at the sea from above its centre, tilted so the horizon is in the picture.
    Camera camera(1920, 1080, glm::vec3(0.0f, 20.0f, 0.0f));
    camera.orientation = glm::normalize(glm::vec3(0.0f, -1.0f, -2.0f));
    camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glm::vec3 lightPos(0.0f);
    water.Draw(program, camera, lightPos);

    glm::u8vec4 below, above;
    glReadPixels(960, 100, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, glm::value_ptr(below));
    glReadPixels(960, 1070, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, glm::value_ptr(above));
    EXPECT_EQ(below, glm::u8vec4(0, 102, 204, 255));
    EXPECT_EQ(above, glm::u8vec4(0, 0, 0, 255)) << "the sky above the plane's far edge";
    program.Delete();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
