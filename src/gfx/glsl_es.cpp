#include "gfx/glsl_es.h"

namespace {

constexpr const char* kEsPrologue =
    "#version 300 es\n"
    "precision highp float;\n"
    "precision highp int;\n"
    "precision highp sampler2D;\n"
    "precision highp sampler2DShadow;\n"
    "#line 2\n";

}  // namespace

std::string AsGlslEs(const std::string& source) {
    const std::string::size_type firstLineEnd = source.find('\n');
    if (source.rfind("#version", 0) != 0 || firstLineEnd == std::string::npos) return source;
    return kEsPrologue + source.substr(firstLineEnd + 1);
}
