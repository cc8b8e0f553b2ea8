# Libraries of the Linux build, all from Debian's development packages. The music plays through
# SDL2_mixer; JPEG pictures are decoded by libjpeg-turbo.
find_package(glfw3 3.3 REQUIRED CONFIG)
find_package(glm REQUIRED CONFIG)
find_package(tinyobjloader REQUIRED CONFIG)
find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
find_package(JPEG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)

add_library(lumenvale_third_party INTERFACE)
target_link_libraries(lumenvale_third_party INTERFACE
    glfw glm::glm tinyobjloader::tinyobjloader PkgConfig::STB SDL2::SDL2 SDL2_mixer::SDL2_mixer
    JPEG::JPEG)
