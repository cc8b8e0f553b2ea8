#include "gfx/obj_limits.h"

#include <array>
#include <cstring>

namespace {

bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
}

// What the first word of a line makes of the rest of it.
enum class LineKind { Unknown, Face, Numbers, Other };

// Follows one line at a time through whatever block boundaries the text falls on. Feed is on the
// path of every byte of the terrain, so it only counts; the reason is written once, on failure.
class LineScan {
  public:
    bool Feed(char c) {
        if (c == '\n' || c == '\r') {
            const bool secondHalf = c == '\n' && lastWasCarriageReturn;
            lastWasCarriageReturn = c == '\r';
            return secondHalf || EndLine();
        }
        lastWasCarriageReturn = false;
        if (!SkipBytes(1)) return false;
        if (IsObjBlank(c)) {
            if (wordCount == 1 && kind == LineKind::Unknown) kind = KindOf(firstWord);
            inWord = false;
            return true;
        }
        if (!inWord) {
            inWord = true;
            ++wordCount;
        }
        if (wordCount == 1) {
            if (firstWord.size() < 3)
                firstWord += c;
            else
                kind = LineKind::Other;
        } else if (kind == LineKind::Numbers && !IsNumberCharacter(c)) {
            return Fail("line " + std::to_string(lineNumber) + " has \"" + std::string(1, c) +
                        "...\" where a finite number belongs");
        }
        return true;
    }

    bool EndLine() {
        const std::size_t corners = kind == LineKind::Face ? wordCount - 1 : 0;
        if (corners >= 3) triangleCorners += 3 * (corners - 2);
        lineBytes = 0;
        wordCount = 0;
        inWord = false;
        kind = LineKind::Unknown;
        firstWord.clear();
        ++lineNumber;
        if (triangleCorners > kMaxObjCorners)
            return Fail("the model has more than " + std::to_string(kMaxObjCorners) +
                        " triangle corners");
        return true;
    }

    // Past the first word of a line that is neither a face nor numbers, only its length matters.
    bool OnlyLengthMatters() const { return kind == LineKind::Other; }
    bool SkipBytes(std::size_t count) {
        lineBytes += count;
        if (lineBytes <= kMaxObjLineBytes) return true;
        return Fail("line " + std::to_string(lineNumber) + " is longer than " +
                    std::to_string(kMaxObjLineBytes) + " bytes");
    }

    std::string problem;

  private:
    static LineKind KindOf(const std::string& word) {
        if (word == "f") return LineKind::Face;
        if (word == "v" || word == "vn" || word == "vt") return LineKind::Numbers;
        return LineKind::Other;
    }

    bool Fail(std::string why) {
        problem = std::move(why);
        return false;
    }

    std::size_t lineBytes = 0;
    std::size_t wordCount = 0;
    bool inWord = false;
    bool lastWasCarriageReturn = false;
    LineKind kind = LineKind::Unknown;
    std::string firstWord;
    std::uint64_t lineNumber = 1;
    std::uint64_t triangleCorners = 0;
};

const char* LineEnd(const char* at, const char* end) {
    for (; at < end; ++at)
        if (*at == '\n' || *at == '\r') return at;
    return end;
}

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
                const char* stop = LineEnd(at, end);
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
