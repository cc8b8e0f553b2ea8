# Libraries of the Windows build. GLFW is Debian's own source, built static for mingw by
# scripts/build-windows.sh (glfw3_DIR points at it); glm, stb and tinyobjloader are the headers of
# Debian's packages. The music plays through winmm's Media Control Interface.
find_package(glfw3 3.3 REQUIRED CONFIG)

# /usr/include itself must never be on the mingw include path (glibc's headers would shadow
# mingw's), so the header-only libraries are reached through a folder of links to them.
set(LUMENVALE_HOST_HEADERS "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${LUMENVALE_HOST_HEADERS}")
foreach(header glm stb tiny_obj_loader.h)
    if(NOT EXISTS "/usr/include/${header}")
        message(FATAL_ERROR "/usr/include/${header} is missing: install libglm-dev, libstb-dev "
                            "and libtinyobjloader-dev")
    endif()
    file(CREATE_LINK "/usr/include/${header}" "${LUMENVALE_HOST_HEADERS}/${header}" SYMBOLIC)
endforeach()

# Debian links stb and tinyobjloader as shared libraries; here their code is compiled in once.
set(implementations "${CMAKE_BINARY_DIR}/header-implementations")
file(WRITE "${implementations}/stb_image.c"
     "#define STB_IMAGE_IMPLEMENTATION\n#include <stb/stb_image.h>\n"
     "#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb/stb_image_write.h>\n")
file(WRITE "${implementations}/tiny_obj_loader.cpp"
     "#define TINYOBJLOADER_IMPLEMENTATION\n#include <tiny_obj_loader.h>\n")
add_library(lumenvale_header_libraries STATIC
    "${implementations}/stb_image.c" "${implementations}/tiny_obj_loader.cpp")
target_include_directories(lumenvale_header_libraries SYSTEM PUBLIC "${LUMENVALE_HOST_HEADERS}")

add_library(lumenvale_third_party INTERFACE)
target_link_libraries(lumenvale_third_party INTERFACE glfw lumenvale_header_libraries winmm)
# M_PI and friends, as glibc offers them.
target_compile_definitions(lumenvale_third_party INTERFACE _USE_MATH_DEFINES)

# The .exe carries the C and C++ runtimes and winpthread, so it needs no DLL beside it.
add_link_options(-static)
