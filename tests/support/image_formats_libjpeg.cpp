#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "support/image_formats.h"

std::string EncodeJpeg(int width, int height, JpegVariant variant) {
    const std::vector<unsigned char> grey = GreyRamp(width, height);
    const int components = variant == JpegVariant::Grey ? 1 : variant == JpegVariant::Cmyk ? 4 : 3;
    std::vector<unsigned char> samples;
    for (const unsigned char value : grey) {
        if (variant == JpegVariant::Cmyk) {
            samples.insert(samples.end(), {255, 255, 255, value});  // no colour ink
        } else {
            samples.insert(samples.end(), static_cast<std::size_t>(components), value);
        }
    }

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = variant == JpegVariant::Grey   ? JCS_GRAYSCALE
                          : variant == JpegVariant::Cmyk ? JCS_CMYK
                                                         : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (variant == JpegVariant::Progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = samples.data() + std::size_t{info.next_scanline} * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}
