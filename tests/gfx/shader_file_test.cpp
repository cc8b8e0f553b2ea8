// Reading shader sources: every file that cannot be read to its end fails the same clear way as a
// missing one, before any GL work.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "gfx/shader.h"
#include "gfx/shader_source.h"
#include "support/temp_files.h"

namespace {

// The error a program built from `vertexFile` and `fragmentFile` reports.
std::string FailureOf(const std::string& vertexFile, const std::string& fragmentFile) {
    try {
        std::ostringstream problems;
        Shader(vertexFile.c_str(), fragmentFile.c_str(), problems);
    } catch (const ShaderFileError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(ShaderFiles, AFolderOrAFileThatBreaksOffIsReportedLikeAMissingOne) {
    const TempDir dir;
    const std::string vertex = dir.Write("plain.vert", "void main() {}\n");
    const std::string folder = (dir.path() / "folder.frag").string();
    std::filesystem::create_directory(folder);
    const std::string missing = (dir.path() / "missing.frag").string();

    EXPECT_EQ(FailureOf(vertex, missing),
              "Failed to open shader file " + missing + ": No such file or directory");
    EXPECT_EQ(FailureOf(vertex, folder),
              "Failed to open shader file " + folder + ": Is a directory");
    // Opens, has no size to seek to, and fails at its first byte.
    EXPECT_EQ(FailureOf("/proc/self/mem", vertex),
              "Failed to open shader file /proc/self/mem: Input/output error");
}

TEST(ShaderFiles, ContentsComeBackByteForByte) {
    const TempDir dir;
    const std::string bytes = std::string("\xEF\xBB\xBF#version 330 core\r\n\0x", 25);
    EXPECT_EQ(get_file_contents(dir.Write("bom.vert", bytes).c_str()), bytes);
    EXPECT_EQ(get_file_contents(dir.Write("empty.frag", "").c_str()), "");
}

// Joining includes: what the driver is given, line by line.
TEST(ShaderIncludes, IncludedFilesJoinOnceAndEachLineKnowsItsFileAndNumber) {
    const TempDir dir;
    dir.Write("common/sky.glsl", "vec3 sky() { return vec3(0.5); }\n");
    // No newline at its end, includes the sky again: joined once only.
    dir.Write("common/sea.glsl", "#include \"common/sky.glsl\"\nvec3 sea() { return sky(); }");
    const std::string stage = dir.Write("water.frag",
                                        "#version 330 core\n"
                                        "  #  include \"common/sea.glsl\"  // the sea\n"
                                        "#include \"common/sky.glsl\"\n"
                                        "void main() {}\n");
    const std::string folder = dir.path().generic_string();

    const ShaderSource source = LoadShaderSource(stage);

    EXPECT_EQ(source.text,
              "#version 330 core\n"
              "vec3 sky() { return vec3(0.5); }\n"
              "vec3 sea() { return sky(); }\n"
              "void main() {}\n");
    const std::vector<std::string> files{stage, folder + "/common/sea.glsl",
                                         folder + "/common/sky.glsl"};
    EXPECT_EQ(source.files, files);
    const std::vector<ShaderSource::Origin> lines{{0, 1}, {2, 1}, {1, 2}, {0, 4}};
    EXPECT_EQ(source.lines, lines);
}

TEST(ShaderIncludes, AFileWithoutIncludesComesThroughUnchanged) {
    const TempDir dir;
    const std::string bytes =
        "#version 330 core\r\n// #include is only named here\r\nvoid main() {}";
    const ShaderSource source = LoadShaderSource(dir.Write("plain.vert", bytes));
    EXPECT_EQ(source.text, bytes);
    EXPECT_EQ(source.files.size(), 1u);
    EXPECT_EQ(source.lines.size(), 3u);
}

TEST(ShaderIncludes, AnIncludeThatCannotBeReadOrLeavesTheFolderFailsWithItsPath) {
    const TempDir dir;
    const std::string folder = dir.path().generic_string();
    // Two files each within the bound, together beyond it.
    const std::string comments(600 << 10, '/');
    dir.Write("common/half.glsl", comments + "\n#include \"common/other_half.glsl\"\n");
    dir.Write("common/other_half.glsl", comments + "\n");
    const struct {
        const char* include;
        std::string message;
    } cases[] = {
        {"common/missing.glsl", "Failed to open shader file " + folder +
                                    "/common/missing.glsl (included on line 2 of " + folder +
                                    "/stage.frag): No such file or directory"},
        {"../outside.glsl", "Failed to open shader file " + folder +
                                "/stage.frag: line 2 includes \"../outside.glsl\", which is not "
                                "a file under " +
                                folder},
        {"/etc/hostname", "Failed to open shader file " + folder +
                              "/stage.frag: line 2 includes \"/etc/hostname\", which is not a "
                              "file under " +
                              folder},
        {"common/half.glsl", "Failed to open shader file " + folder +
                                 "/stage.frag: the program with its includes is larger than the 1 "
                                 "MiB allowed"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.include);
        const std::string stage = dir.Write(
            "stage.frag", std::string("#version 330 core\n#include \"") + test.include + "\"\n");
        const std::string vertex = dir.Write("plain.vert", "void main() {}\n");
        EXPECT_EQ(FailureOf(vertex, stage), test.message);
    }
}

// The driver's log names the file and line a mistake is in, whichever way it writes the place.
TEST(ShaderIncludes, LogLinesNameTheFileAndLineTheirPlaceComesFrom) {
    ShaderSource source;
    source.files = {"shaders/water.frag", "shaders/common/sky.glsl"};
    source.lines = {{0, 1}, {1, 1}, {1, 2}, {1, 3}, {0, 3}};
    const struct {
        const char* log;
        const char* named;
    } cases[] = {
        {"0:4(12): error: `x' undeclared\n0:5(1): warning: y",
         "shaders/common/sky.glsl:3(12): error: `x' undeclared\nshaders/water.frag:3(1): warning: "
         "y"},
        {"0(2) : error C1008: undefined variable",
         "shaders/common/sky.glsl:1 : error C1008: undefined variable"},
        {"ERROR: 0:4: 'x' : undeclared identifier\n",
         "ERROR: shaders/common/sky.glsl:3: 'x' : undeclared identifier\n"},
        // Places outside the text, and lines without a place, stay as they are.
        {"0:6(1): error: z\n1:2(1): error: w\n0:0(1): v\nerror: no main\n12345678901:1: u",
         "0:6(1): error: z\n1:2(1): error: w\n0:0(1): v\nerror: no main\n12345678901:1: u"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(NameFilesInLog(test.log, source), test.named);
    }
}

// The program's numbers go in right after the version line, each read back as exactly the float
// it was; a #line then numbers the stage's own lines as in its file.
TEST(ShaderDefines, FollowTheVersionLineAndReadBackExactly) {
    const std::vector<ShaderDefine> defines = {
        {"DISTANCE", 150.0f}, {"NEAR", 0.1f}, {"PER_UNIT", 1.0f / 199.0f}, {"TINY", 3e-20f}};
    const std::string text = WithDefines("#version 330 core\nvoid main() {}\n", defines);
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "#version 330 core");
    for (const ShaderDefine& define : defines) {
        SCOPED_TRACE(define.name);
        std::getline(lines, line);
        const std::string prefix = std::string("#define ") + define.name + " ";
        ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
        const std::string literal = line.substr(prefix.size());
        EXPECT_NE(literal.find_first_of(".e"), std::string::npos) << "a float, not an int";
        EXPECT_EQ(std::strtod(literal.c_str(), nullptr), static_cast<double>(define.value));
    }
    std::getline(lines, line);
    EXPECT_EQ(line, "#line 2");
    std::getline(lines, line);
    EXPECT_EQ(line, "void main() {}");

    // Nothing to define, or no version line to put them after: the text as it was.
    EXPECT_EQ(WithDefines("#version 330 core\nvoid main() {}\n", {}),
              "#version 330 core\nvoid main() {}\n");
    EXPECT_EQ(WithDefines("void main() {}\n", defines), "void main() {}\n");
}
