// Writes the texture fuzzer's seeds in the formats other than PNG (tests/fuzz/make_seeds.py
// writes the PNG ones): the same small picture in each, as image.<format> in the given folder.
#include <fstream>
#include <iostream>

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
    return 0;
}
