// The implementations of the two header-only parsers, compiled with the fuzzers' instrumentation.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
