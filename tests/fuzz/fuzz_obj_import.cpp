// The OBJ import exactly as start-up runs it, minus the upload: the input is an OBJ file and,
// after its first NUL byte, the material library it names as "model.mtl".
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/obj_loader.h"

namespace {

// One private folder per fuzzing process, removed when the process ends normally.
struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("lumenvale-fuzz-obj-" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void WriteFile(const std::filesystem::path& path, const char* data, std::size_t size) {
    std::ofstream(path, std::ios::binary).write(data, static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string obj = input.substr(0, split);
    const std::string mtl = split == std::string::npos ? "" : input.substr(split + 1);
    WriteFile(folder.path / "model.obj", obj.data(), obj.size());
    WriteFile(folder.path / "model.mtl", mtl.data(), mtl.size());

    std::vector<ObjMaterialGeometry> materials;
    std::ostringstream lines;
    ReadObjGeometry((folder.path / "model.obj").string(), materials, lines);
    return 0;
}
