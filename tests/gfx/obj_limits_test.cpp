// The limits an OBJ file must keep before the parser sees it.
#include "gfx/obj_limits.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string ProblemOf(const std::string& text) {
    std::istringstream in(text);
    return ObjLimitProblem(in);
}

std::string Face(std::size_t corners) {
    std::string line = "f";
    for (std::size_t i = 1; i <= corners; ++i) line += " " + std::to_string(i);
    return line + "\n";
}

}  // namespace

TEST(ObjLimits, OrdinaryModelsPassWhateverTheirLineEnds) {
    EXPECT_EQ(ProblemOf(""), "");
    EXPECT_EQ(ProblemOf("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"), "");
    EXPECT_EQ(ProblemOf("# comment\r\nusemtl a\r\nf 1/1/1 2/2/2 3/3/3 4/4/4\r\n"), "");
    EXPECT_EQ(ProblemOf("v -1.5e-3 +2 .5\rvt 0 1\rvn 0 1 0\r"), "");
    // Faces of any number of corners are cut into pieces before parsing.
    EXPECT_EQ(ProblemOf(Face(5000)), "");
    EXPECT_EQ(ProblemOf(std::string(kMaxObjLineBytes, 'x') + "\n"), "");
    // Only positions, normals and texture coordinates are all numbers.
    EXPECT_EQ(ProblemOf("vp nan\nvertex nan\n"), "");
}

TEST(ObjLimits, TheFirstProblemIsNamedWithItsLine) {
    struct Case {
        std::string text, problem;
    };
    const Case cases[] = {
        {"# ok\n\n" + std::string(kMaxObjLineBytes + 1, 'v'),
         "line 3 is longer than 1048576 bytes"},
        // Carriage returns end lines, alone or before a line feed.
        {"#\r#\r\n#\r" + std::string(kMaxObjLineBytes + 1, 'x'),
         "line 4 is longer than 1048576 bytes"},
        // The parser reads these as 0, where 1e39 becomes infinity: both are refused.
        {"v 0 0 0\nv nan 0 0\n", "line 2 has \"n...\" where a finite number belongs"},
        {"vn 0 -inf 0\n", "line 1 has \"i...\" where a finite number belongs"},
        {"vt 0x1 0\n", "line 1 has \"x...\" where a finite number belongs"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProblemOf(c.text), c.problem) << c.text.substr(0, 40);
}

TEST(ObjLimits, TheWholeModelsTriangleCornersAreCounted) {
    // A 1000-corner face is 998 triangles; enough of them pass the model's limit.
    const std::string face = Face(1000);
    const std::size_t perFace = 3 * 998;
    std::string text;
    for (std::size_t i = 0; i < kMaxObjCorners / perFace; ++i) text += face;
    EXPECT_EQ(ProblemOf(text), "");
    text += face;
    EXPECT_EQ(ProblemOf(text), "the model has more than 4000000 triangle corners");
}
