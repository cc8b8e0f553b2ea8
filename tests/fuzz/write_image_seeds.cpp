// Writes the texture fuzzer's seeds in the formats other than PNG (tests/fuzz/make_seeds.py
// writes the PNG ones): the same small picture in each, as image.<format> in the given folder,
// and as JPEG files of the kinds other programs write, image_<kind>.jpg.
#include <fstream>
#include <iostream>
#include <utility>

#include "support/image_formats.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_image_seeds FOLDER" << std::endl;
        return 2;
    }
    for (const EncodedImage& image : EncodeInEveryFormat(8, 8)) {
        if (image.format == "png") continue;
        std::ofstream(std::string(argv[1]) + "/image." + image.format, std::ios::binary)
            << image.bytes;
    }
    const std::pair<const char*, JpegVariant> jpegs[] = {{"grey", JpegVariant::Grey},
                                                         {"progressive", JpegVariant::Progressive},
                                                         {"cmyk", JpegVariant::Cmyk}};
    for (const auto& [kind, variant] : jpegs)
        std::ofstream(std::string(argv[1]) + "/image_" + kind + ".jpg", std::ios::binary)
            << EncodeJpeg(8, 8, variant);
    return 0;
}
