#include "gfx/obj_limits.h"

#include <array>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Follows one line at a time through whatever block boundaries the text falls on. Feed is on the
// path of every byte of the terrain, so it only counts; the reason is written once, on failure.
class LineScan {
  public:
    bool Feed(char c) {
        if (c == '\n') return EndLine();
        if (!SkipBytes(1)) return false;
        if (IsBlank(c)) {
            if (wordCount == 1 && firstWordIsF) faceLine = true;
            inWord = false;
            return true;
        }
        if (inWord) {
            if (wordCount == 1) firstWordIsF = false;
            return true;
        }
        inWord = true;
        ++wordCount;
        firstWordIsF = wordCount == 1 && c == 'f';
        if (faceLine && wordCount - 1 > kMaxObjFaceCorners)
            return Fail("the face on line " + std::to_string(lineNumber) + " has more than " +
                        std::to_string(kMaxObjFaceCorners) + " corners");
        return true;
    }

    bool EndLine() {
        const std::size_t corners = faceLine ? wordCount - 1 : 0;
        if (corners >= 3) triangleCorners += 3 * (corners - 2);
        lineBytes = 0;
        wordCount = 0;
        inWord = faceLine = firstWordIsF = false;
        ++lineNumber;
        if (triangleCorners > kMaxObjCorners)
            return Fail("the model has more than " + std::to_string(kMaxObjCorners) +
                        " triangle corners");
        return true;
    }

    // Past the first word of a line that is not a face, only the line's length matters.
    bool OnlyLengthMatters() const { return wordCount > 0 && !firstWordIsF && !faceLine; }
    bool SkipBytes(std::size_t count) {
        lineBytes += count;
        if (lineBytes <= kMaxObjLineBytes) return true;
        return Fail("line " + std::to_string(lineNumber) + " is longer than " +
                    std::to_string(kMaxObjLineBytes) + " bytes");
    }

    std::string problem;

  private:
    bool Fail(std::string why) {
        problem = std::move(why);
        return false;
    }

    std::size_t lineBytes = 0;
    std::size_t wordCount = 0;
    bool inWord = false;
    bool firstWordIsF = false;
    bool faceLine = false;
    std::uint64_t lineNumber = 1;
    std::uint64_t triangleCorners = 0;
};

}  // namespace

std::string ObjLimitProblem(std::istream& in) {
    LineScan scan;
    std::array<char, 1 << 16> block{};
    while (in) {
        in.read(block.data(), block.size());
        const char* at = block.data();
        const char* const end = at + in.gcount();
        while (at < end) {
            if (scan.OnlyLengthMatters()) {
                const void* newline = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
                const char* stop = newline ? static_cast<const char*>(newline) : end;
                if (!scan.SkipBytes(static_cast<std::size_t>(stop - at))) return scan.problem;
                at = stop;
                if (at == end) break;
            }
            if (!scan.Feed(*at++)) return scan.problem;
        }
    }
    scan.EndLine();
    return scan.problem;
}
