# Libraries of the browser build (emscripten). GLFW is emscripten's own JavaScript library over
# the page's canvas; glm, stb and tinyobjloader are the headers of Debian's packages. The music
# plays through an audio element of the page.

include(cmake/cross_header_libraries.cmake)

add_library(lumenvale_third_party INTERFACE)
target_link_libraries(lumenvale_third_party INTERFACE lumenvale_header_libraries)
# The GL loader comes first; emscripten's glfw3.h would otherwise pull in a GL header of its own.
target_compile_definitions(lumenvale_third_party INTERFACE GLFW_INCLUDE_NONE)
target_link_options(lumenvale_third_party INTERFACE -sUSE_GLFW=3 -sMIN_WEBGL_VERSION=2
                    -sMAX_WEBGL_VERSION=2 -sFULL_ES3=1)

# The player throws and catches its start-up failures.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
