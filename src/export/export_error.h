#pragma once

#include <stdexcept>
#include <string>

extern "C" {
#include <libavutil/error.h>
}

// An export that cannot go on; the message is the one line the user sees.
struct ExportError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// FFmpeg's description of one of its error codes.
inline std::string AvErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}
