// The music file's header check, which stands between any file and the audio device.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "audio/wav_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const WavHeaderResult result = ParseWavHeader(in);
    // What the header promises must lie inside the input.
    if (result.header && result.header->dataOffset + result.header->dataSize > size)
        __builtin_trap();
    return 0;
}
