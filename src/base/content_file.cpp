#include "base/content_file.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

std::string ByteCountText(std::uint64_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}

std::string StripByteOrderMark(std::string text) {
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return text;
}

bool ReadAtMost(std::istream& in, std::uint64_t maxBytes, std::string& bytes) {
    char chunk[1 << 16];
    const std::size_t start = bytes.size();
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() - start > maxBytes) return false;
    }
    return true;
}

std::string LargerThanAllowed(std::uint64_t maxBytes) {
    return "file is larger than the " + ByteCountText(maxBytes) + " allowed";
}

namespace {

std::string TooLarge(std::uint64_t size, std::uint64_t maxBytes) {
    return "file of " + std::to_string(size) + " bytes is larger than the " +
           ByteCountText(maxBytes) + " allowed";
}

}  // namespace

std::string ContentFileProblem(const std::string& path, std::uint64_t maxBytes) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    switch (status.type()) {
        case fs::file_type::regular:
            break;
        case fs::file_type::not_found:
            return "no such file";
        case fs::file_type::directory:
            return "is a folder, not a file";
        case fs::file_type::none:
        case fs::file_type::unknown:
            return "can't read: " + error.message();
        default:
            return "is not a regular file (a pipe, a device or a socket)";
    }
    const std::uint64_t size = fs::file_size(path, error);
    if (error) return "can't read: " + error.message();
    if (size > maxBytes) return TooLarge(size, maxBytes);
    return "";
}

ContentFile ReadContentFile(const std::string& path, std::uint64_t maxBytes) {
    if (std::string problem = ContentFileProblem(path, maxBytes); !problem.empty())
        return {"", std::move(problem)};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {"", "can't open"};
    ContentFile file;
    if (!ReadAtMost(in, maxBytes, file.bytes)) return {"", LargerThanAllowed(maxBytes)};
    if (in.bad()) return {"", "can't read"};
    return file;
}
