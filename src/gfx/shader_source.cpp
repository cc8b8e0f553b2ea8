#include "gfx/shader_source.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>

#include "base/content_file.h"
#include "gfx/shader.h"

namespace {

// Our largest program is a few kilobytes of text, with its includes too.
constexpr std::uint64_t kMaxShaderFileBytes = 1ull << 20;
constexpr std::uint64_t kMaxProgramTextBytes = kMaxShaderFileBytes;
// Ours nest two deep; a chain of thousands would run the joiner out of stack.
constexpr int kMaxIncludeDepth = 32;

// The NAME of a line `#include "NAME"` (spaces allowed around the `#` and the words, a comment
// after it); false for every other line.
bool IncludedName(const std::string& line, std::string& name) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return false;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return false;
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || line[at] != '"') return false;
    const size_t end = line.find('"', at + 1);
    if (end == std::string::npos) return false;
    name = line.substr(at + 1, end - at - 1);
    return true;
}

// Whether a block comment is open at the end of `line`, given whether one was at its start: an
// include line inside a comment is no include.
bool CommentOpenAfter(const std::string& line, bool open) {
    for (size_t at = 0; at + 1 < line.size(); ++at) {
        const char here = line[at], next = line[at + 1];
        if (open && here == '*' && next == '/') {
            open = false;
            ++at;
        } else if (!open && here == '/' && next == '/') {
            return false;
        } else if (!open && here == '/' && next == '*') {
            open = true;
            ++at;
        }
    }
    return open;
}

// A name stays inside the shader folder: relative, and never stepping up out of it.
bool StaysInside(const std::string& name) {
    const std::filesystem::path path(name);
    if (name.empty() || path.has_root_path()) return false;
    for (const auto& part : path) {
        if (part == "..") return false;
    }
    return true;
}

class Joiner {
  public:
    Joiner(std::string folder, ShaderSource& source) : folder(std::move(folder)), source(source) {}

    // Appends the file's lines to the joined text, each include line replaced by the lines of
    // the file it names (unless that file has joined already). The stage's own file is at
    // `depth` 0, the files it includes at 1, and so on; `includedAt` says where an included
    // file is named ("line 3 of shaders/water.frag").
    void Append(const std::string& file, int depth, const std::string& includedAt = "") {
        const size_t number = source.files.size();
        source.files.push_back(file);
        joined.insert(Normal(file));
        // No GLSL compiler takes a byte-order mark.
        const std::string text = StripByteOrderMark(Read(file, includedAt));
        size_t begin = 0;
        int lineNumber = 0;
        bool inComment = false;
        std::string name;
        while (begin < text.size()) {
            size_t end = text.find('\n', begin);
            const bool lastLine = end == std::string::npos;
            end = lastLine ? text.size() : end + 1;
            const std::string line = text.substr(begin, end - begin);
            ++lineNumber;
            begin = end;
            const bool commentedOut = inComment;
            inComment = CommentOpenAfter(line, inComment);
            if (commentedOut || !IncludedName(line, name)) {
                source.text += line;
                source.lines.push_back({number, lineNumber});
                if (source.text.size() > kMaxProgramTextBytes)
                    throw ShaderFileError(source.files.front(),
                                          "the program with its includes is larger than the " +
                                              ByteCountText(kMaxProgramTextBytes) + " allowed");
                continue;
            }
            const auto refused = [&](const std::string& why) {
                return ShaderFileError(file, "line " + std::to_string(lineNumber) + " includes \"" +
                                                 name + "\"" + why);
            };
            if (!StaysInside(name)) throw refused(", which is not a file under " + folder);
            const std::string path = Normal(folder + "/" + name);
            if (joined.count(path)) continue;
            if (depth == kMaxIncludeDepth)
                throw refused(" " + std::to_string(depth + 1) +
                              " levels deep; includes nest at most " +
                              std::to_string(kMaxIncludeDepth) + " levels");
            Append(path, depth + 1, "line " + std::to_string(lineNumber) + " of " + file);
            if (!source.text.empty() && source.text.back() != '\n') source.text += '\n';
        }
    }

  private:
    static std::string Read(const std::string& file, const std::string& includedAt) {
        const std::string named =
            includedAt.empty() ? file : file + " (included on " + includedAt + ")";
        // A pipe or a device would block or never end: only regular files are read. A missing
        // file or a folder is left to the reader, which names the system's reason.
        const std::string problem = ContentFileProblem(file, kMaxShaderFileBytes);
        if (!problem.empty() && problem != "no such file" && problem != "is a folder, not a file")
            throw ShaderFileError(named, problem);
        try {
            return get_file_contents(file.c_str(), kMaxShaderFileBytes);
        } catch (int error) {
            if (error == EFBIG)
                throw ShaderFileError(named, LargerThanAllowed(kMaxShaderFileBytes));
            ShaderFileError failure(named, error);
            failure.programFileMissing = includedAt.empty() && error == ENOENT;
            throw failure;
        }
    }

    // One file is one file however its path is spelled ("common/./sky.glsl", "common//sky.glsl").
    static std::string Normal(const std::string& path) {
        return std::filesystem::path(path).lexically_normal().generic_string();
    }

    std::string folder;
    ShaderSource& source;
    std::set<std::string> joined;  // normal paths
};

// The place a log line begins with, after an optional "ERROR: " or "WARNING: ": source string
// `number`, line `line`, written "N:L" (Mesa, AMD, Intel) or "N(L)" (NVIDIA). `begin` and `end`
// frame the characters to replace.
struct LogPlace {
    size_t begin = 0, end = 0;
    unsigned long number = 0, line = 0;
};

// The digits at `at` as a number; false when there are none.
bool NumberAt(const std::string& text, size_t& at, unsigned long& number) {
    const size_t begin = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    if (at == begin || at - begin > 9) return false;
    number = std::stoul(text.substr(begin, at - begin));
    return true;
}

bool PlaceIn(const std::string& logLine, LogPlace& place) {
    for (const char* prefix : {"ERROR: ", "WARNING: "}) {
        if (logLine.rfind(prefix, 0) == 0) place.begin = std::char_traits<char>::length(prefix);
    }
    size_t at = place.begin;
    if (!NumberAt(logLine, at, place.number) || at >= logLine.size()) return false;
    const char separator = logLine[at++];
    if ((separator != ':' && separator != '(') || !NumberAt(logLine, at, place.line)) return false;
    if (separator == '(') {
        if (at >= logLine.size() || logLine[at] != ')') return false;
        ++at;
    }
    place.end = at;
    return true;
}

// A GLSL float literal of `value`: 17 significant digits read back as the same double, which is
// the float itself.
std::string FloatLiteral(float value) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.17g", static_cast<double>(value));
    std::string literal = digits;
    if (literal.find_first_of(".e") == std::string::npos) literal += ".0";
    return literal;
}

}  // namespace

ShaderSource LoadShaderSource(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    ShaderSource source;
    Joiner(folder.empty() ? "." : folder.generic_string(), source).Append(file, 0);
    return source;
}

std::string WithDefines(const std::string& text, const std::vector<ShaderDefine>& defines) {
    const size_t firstLineEnd = text.find('\n');
    if (defines.empty() || text.rfind("#version", 0) != 0 || firstLineEnd == std::string::npos)
        return text;
    std::string defined = text.substr(0, firstLineEnd + 1);
    for (const ShaderDefine& define : defines) {
        defined += std::string("#define ") + define.name + " " + FloatLiteral(define.value) + "\n";
    }
    return defined + "#line 2\n" + text.substr(firstLineEnd + 1);
}

std::string NameFilesInLog(const std::string& log, const ShaderSource& source) {
    std::string named;
    size_t begin = 0;
    while (begin < log.size()) {
        size_t end = log.find('\n', begin);
        end = end == std::string::npos ? log.size() : end + 1;
        const std::string logLine = log.substr(begin, end - begin);
        begin = end;
        LogPlace place;
        if (!PlaceIn(logLine, place) || place.number != 0 || place.line < 1 ||
            place.line > source.lines.size()) {
            named += logLine;
            continue;
        }
        const ShaderSource::Origin& origin = source.lines[place.line - 1];
        named += logLine.substr(0, place.begin) + source.files[origin.file] + ":" +
                 std::to_string(origin.line) + logLine.substr(place.end);
    }
    return named;
}
