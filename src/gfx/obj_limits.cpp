#include "gfx/obj_limits.h"

#include <array>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Follows one line at a time through whatever block boundaries the text falls on.
class LineScan {
  public:
    std::string Feed(char c) {
        if (c == '\n') return EndLine();
        if (++lineBytes > kMaxObjLineBytes)
            return "line " + std::to_string(lineNumber) + " is longer than " +
                   std::to_string(kMaxObjLineBytes) + " bytes";
        if (IsBlank(c)) {
            if (wordCount == 1 && firstWordIsF) faceLine = true;
            inWord = false;
            return "";
        }
        if (!inWord) {
            inWord = true;
            ++wordCount;
            firstWordIsF = wordCount == 1 && c == 'f';
            if (faceLine && wordCount - 1 > kMaxObjFaceCorners)
                return "the face on line " + std::to_string(lineNumber) + " has more than " +
                       std::to_string(kMaxObjFaceCorners) + " corners";
        } else if (wordCount == 1) {
            firstWordIsF = false;
        }
        return "";
    }

    std::string EndLine() {
        const std::size_t corners = faceLine ? wordCount - 1 : 0;
        if (corners >= 3) triangleCorners += 3 * (corners - 2);
        lineBytes = 0;
        wordCount = 0;
        inWord = faceLine = firstWordIsF = false;
        ++lineNumber;
        if (triangleCorners > kMaxObjCorners)
            return "the model has more than " + std::to_string(kMaxObjCorners) +
                   " triangle corners";
        return "";
    }

  private:
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
        const std::streamsize got = in.gcount();
        for (std::streamsize i = 0; i < got; ++i) {
            if (std::string problem = scan.Feed(block[static_cast<std::size_t>(i)]);
                !problem.empty())
                return problem;
        }
    }
    return scan.EndLine();
}
