# The OpenGL 3.3 core loader is generated at configure time by Debian's glad generator.
# --reproducible keeps it offline (no download of the Khronos registry) and byte-stable.
find_program(GLAD_GENERATOR glad PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT GLAD_GENERATOR)
    find_program(GLAD_GENERATOR glad REQUIRED)
endif()

set(GLAD_OUT "${CMAKE_BINARY_DIR}/glad")
if(NOT EXISTS "${GLAD_OUT}/src/gl.c")
    execute_process(
        COMMAND "${GLAD_GENERATOR}" --quiet --reproducible --api gl:core=3.3 --extensions=
                --out-path "${GLAD_OUT}" c
        RESULT_VARIABLE glad_result)
    if(NOT glad_result EQUAL 0)
        message(FATAL_ERROR "glad failed to generate the OpenGL loader (${glad_result})")
    endif()
endif()

add_library(glad STATIC "${GLAD_OUT}/src/gl.c")
target_include_directories(glad SYSTEM PUBLIC "${GLAD_OUT}/include")
set_target_properties(glad PROPERTIES POSITION_INDEPENDENT_CODE ON)
