#pragma once

#include <string>
#include <vector>

// The text of one shader stage as the driver compiles it: the stage's file with every
// `#include "NAME"` line replaced by the file NAME, found under the folder that holds the stage's
// file (for "shaders/water.frag", NAME = "common/sky.glsl" is "shaders/common/sky.glsl").
// Included files may include others; each file joins a stage once, however often it is named.
// A leading byte-order mark is dropped from every file; otherwise a file without includes comes
// back byte for byte.
struct ShaderSource {
    // Where a line of the joined text comes from: a file of `files` and its line there.
    struct Origin {
        size_t file;
        int line;
        bool operator==(const Origin& other) const {
            return file == other.file && line == other.line;
        }
    };

    std::string text;
    // The stage's own file first, then each included one in the order they join.
    std::vector<std::string> files;
    // One entry per line of `text`, the first line first.
    std::vector<Origin> lines;
};

// Throws ShaderFileError naming the file that cannot be opened or read, whether the stage's own
// or an included one, and for an include that names a path outside the shader folder.
ShaderSource LoadShaderSource(const std::string& file);

// A number a stage takes from the program instead of typing it again: `#define NAME VALUE`.
struct ShaderDefine {
    const char* name;
    float value;
};

// The stage's text with a line `#define NAME VALUE` for each define right after its version line
// (VALUE a float literal that reads back as exactly `value`), then a #line that gives every later
// line its number in the file again, so that compile logs still name the right line. Text
// without a version line on its first line comes back unchanged.
std::string WithDefines(const std::string& text, const std::vector<ShaderDefine>& defines);

// A compile log of the joined text with each place the driver names ("0:12(3)", "0(12)",
// "ERROR: 0:12:": source string 0, line 12) replaced by the file and line it comes from
// ("shaders/common/sky.glsl:3(3)"). Lines that name no place of the text stay as they are.
std::string NameFilesInLog(const std::string& log, const ShaderSource& source);
