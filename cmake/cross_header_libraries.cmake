# Header-only libraries of Debian's packages for a cross build (Windows, the browser).
# /usr/include itself must never be on a cross compiler's include path (glibc's headers would
# shadow the target's own), so the header-only libraries are reached through a folder of links.
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
# (Written only when their text changes: a new date on every configure would rebuild them.)
set(implementations "${CMAKE_BINARY_DIR}/header-implementations")
file(CONFIGURE OUTPUT "${implementations}/stb_image.c" @ONLY
     CONTENT "#define STB_IMAGE_IMPLEMENTATION\n#include <stb/stb_image.h>\n\
#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb/stb_image_write.h>\n")
file(CONFIGURE OUTPUT "${implementations}/tiny_obj_loader.cpp" @ONLY
     CONTENT "#define TINYOBJLOADER_IMPLEMENTATION\n#include <tiny_obj_loader.h>\n")
add_library(lumenvale_header_libraries STATIC
    "${implementations}/stb_image.c" "${implementations}/tiny_obj_loader.cpp")
target_include_directories(lumenvale_header_libraries SYSTEM PUBLIC "${LUMENVALE_HOST_HEADERS}")
