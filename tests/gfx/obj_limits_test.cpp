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

TEST(ObjLimits, OrdinaryModelsPass) {
    EXPECT_EQ(ProblemOf(""), "");
    EXPECT_EQ(ProblemOf("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"), "");
    EXPECT_EQ(ProblemOf("# comment\r\nusemtl a\r\nf 1/1/1 2/2/2 3/3/3 4/4/4\r\n"), "");
    EXPECT_EQ(ProblemOf(Face(kMaxObjFaceCorners)), "");
    // Lines whose first word only starts with f are not faces, however many words they have.
    EXPECT_EQ(ProblemOf("foo" + Face(kMaxObjFaceCorners + 5).substr(1)), "");
    EXPECT_EQ(ProblemOf(std::string(kMaxObjLineBytes, 'x') + "\n"), "");
}

TEST(ObjLimits, TheFirstBrokenLimitIsNamedWithItsLine) {
    EXPECT_EQ(ProblemOf("v 0 0 0\n" + Face(kMaxObjFaceCorners + 1)),
              "the face on line 2 has more than 1024 corners");
    EXPECT_EQ(ProblemOf("f\t" + Face(kMaxObjFaceCorners + 1).substr(2)),
              "the face on line 1 has more than 1024 corners");
    EXPECT_EQ(ProblemOf("# ok\n\n" + std::string(kMaxObjLineBytes + 1, 'v')),
              "line 3 is longer than 65536 bytes");
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
