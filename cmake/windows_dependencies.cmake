# Libraries of the Windows build. GLFW is Debian's own source, built static for mingw by
# scripts/build-windows.sh (glfw3_DIR points at it); glm, stb and tinyobjloader are the headers of
# Debian's packages. The music plays through winmm's Media Control Interface.
find_package(glfw3 3.3 REQUIRED CONFIG)

include(cmake/cross_header_libraries.cmake)

add_library(lumenvale_third_party INTERFACE)
target_link_libraries(lumenvale_third_party INTERFACE glfw lumenvale_header_libraries winmm)
# M_PI and friends, as glibc offers them.
target_compile_definitions(lumenvale_third_party INTERFACE _USE_MATH_DEFINES)

# The .exe carries the C and C++ runtimes and winpthread, so it needs no DLL beside it.
add_link_options(-static)
