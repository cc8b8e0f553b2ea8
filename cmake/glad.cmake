# The OpenGL loader is generated at configure time by Debian's glad generator: OpenGL 3.3 core
# for the native programs, OpenGL ES 3.0 (what WebGL2 offers) for the browser, where
# <glad/gl.h> names the ES loader so that the sources include the same header everywhere.
# --reproducible keeps it offline (no download of the Khronos registry) and byte-stable.
find_program(GLAD_GENERATOR glad PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT GLAD_GENERATOR)
    find_program(GLAD_GENERATOR glad REQUIRED)
endif()

set(GLAD_OUT "${CMAKE_BINARY_DIR}/glad")
if(EMSCRIPTEN)
    set(glad_api gles2=3.0)
    set(glad_source "${GLAD_OUT}/src/gles2.c")
else()
    set(glad_api gl:core=3.3)
    set(glad_source "${GLAD_OUT}/src/gl.c")
endif()
if(NOT EXISTS "${glad_source}")
    execute_process(
        COMMAND "${GLAD_GENERATOR}" --quiet --reproducible --api ${glad_api} --extensions=
                --out-path "${GLAD_OUT}" c
        RESULT_VARIABLE glad_result)
    if(NOT glad_result EQUAL 0)
        message(FATAL_ERROR "glad failed to generate the OpenGL loader (${glad_result})")
    endif()
endif()
if(EMSCRIPTEN)
    # Written only when it changes: a new date on every configure would rebuild every file.
    file(CONFIGURE OUTPUT "${GLAD_OUT}/include/glad/gl.h" CONTENT "#include <glad/gles2.h>\n" @ONLY)
endif()

add_library(glad STATIC "${glad_source}")
target_include_directories(glad SYSTEM PUBLIC "${GLAD_OUT}/include")
set_target_properties(glad PROPERTIES POSITION_INDEPENDENT_CODE ON)
