#include "gfx/obj_text.h"

#include <algorithm>
#include <vector>

#include "base/content_file.h"
#include "gfx/obj_limits.h"

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < line.size();) {
        while (at < line.size() && IsObjBlank(line[at])) ++at;
        const std::size_t start = at;
        while (at < line.size() && !IsObjBlank(line[at])) ++at;
        if (at > start) words.push_back(line.substr(start, at - start));
    }
    return words;
}

bool StartsWithWord(const std::string& line, const char* word) {
    const std::size_t length = std::char_traits<char>::length(word);
    return line.compare(0, length, word) == 0 && line.size() > length && IsObjBlank(line[length]);
}

// "f c0 c1 ... cn" as polygons (c0, ci, ..., ci+k) that together cover the fan from c0.
void AppendFacePieces(const std::vector<std::string>& words, std::string& out) {
    const std::size_t corners = words.size() - 1;
    for (std::size_t first = 1; first + 1 < corners; first += kObjFacePieceCorners - 2) {
        const std::size_t last = std::min(corners - 1, first + kObjFacePieceCorners - 2);
        out += "f " + words[1];
        for (std::size_t c = first; c <= last; ++c) out += " " + words[c + 1];
        out += "\n";
    }
}

}  // namespace

std::string WithForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string PrepareObjText(std::string text) {
    text = StripByteOrderMark(std::move(text));
    // Most files need nothing else; they are handed on as they are.
    bool mend = false;
    for (std::size_t at = 0; at < text.size() && !mend;) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const auto begin = text.begin() + static_cast<std::ptrdiff_t>(at);
        const auto stop = text.begin() + static_cast<std::ptrdiff_t>(end);
        const std::string head = text.substr(at, std::min<std::size_t>(end - at, 8));
        if (StartsWithWord(head, "mtllib")) mend = std::find(begin, stop, '\\') != stop;
        if (StartsWithWord(head, "f"))
            mend = static_cast<std::size_t>(std::count_if(begin, stop, IsObjBlank)) >
                   kObjFacePieceCorners;
        at = end + 1;
    }
    if (!mend) return text;

    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        if (StartsWithWord(line, "f")) {
            const std::vector<std::string> words = Words(line);
            if (words.size() - 1 > kObjFacePieceCorners) {
                AppendFacePieces(words, out);
                at = end + 1;
                continue;
            }
        }
        if (StartsWithWord(line, "mtllib"))
            out += WithForwardSlashes(line);
        else
            out += line;
        out += '\n';
        at = end + 1;
    }
    return out;
}
