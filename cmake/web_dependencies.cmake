# Libraries of the browser build (emscripten). GLFW is emscripten's own JavaScript library over
# the page's canvas; glm, stb and tinyobjloader are the headers of Debian's packages. The music
# plays through an audio element of the page.

# /usr/include itself must never be on emscripten's include path (glibc's headers would shadow
# its own), so the header-only libraries are reached through a folder of links to them.
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
target_link_libraries(lumenvale_third_party INTERFACE lumenvale_header_libraries)
# The GL loader comes first; emscripten's glfw3.h would otherwise pull in a GL header of its own.
target_compile_definitions(lumenvale_third_party INTERFACE GLFW_INCLUDE_NONE)
target_link_options(lumenvale_third_party INTERFACE -sUSE_GLFW=3 -sMIN_WEBGL_VERSION=2
                    -sMAX_WEBGL_VERSION=2 -sFULL_ES3=1)

# The player throws and catches its start-up failures.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
