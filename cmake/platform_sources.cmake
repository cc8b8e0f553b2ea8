# Sources that belong to one platform carry it in their name: `_sdl` (the music back-end) for
# the Linux build, `_posix` for Linux and the browser (emscripten is a POSIX system), `_mci` and
# `_win32` for the Windows build, `_native` for Linux and Windows, `_web` for the browser build;
# `_libjpeg` for the Linux build, which decodes JPEG with Debian's libjpeg-turbo, and `_stbjpeg`
# for the others, which have only the general image decoder.
# Removes the other platforms' files from a source list.
function(lumenvale_keep_platform_sources list_name)
    if(EMSCRIPTEN)
        set(foreign "_(sdl|mci|win32|native|libjpeg)(_test)?\\.cpp$")
    elseif(WIN32)
        set(foreign "_(sdl|posix|web|libjpeg)(_test)?\\.cpp$")
    else()
        set(foreign "_(mci|win32|web|stbjpeg)(_test)?\\.cpp$")
    endif()
    set(sources ${${list_name}})
    list(FILTER sources EXCLUDE REGEX "${foreign}")
    set(${list_name} ${sources} PARENT_SCOPE)
endfunction()
