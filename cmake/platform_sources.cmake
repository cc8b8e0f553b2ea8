# Sources that belong to one platform carry it in their name: `_sdl` (the music back-end) and
# `_posix` for the Linux build, `_mci` and `_win32` for the Windows one. Removes the other
# platform's files from a source list.
function(lumenvale_keep_platform_sources list_name)
    if(WIN32)
        set(foreign "_(sdl|posix)(_test)?\\.cpp$")
    else()
        set(foreign "_(mci|win32)(_test)?\\.cpp$")
    endif()
    set(sources ${${list_name}})
    list(FILTER sources EXCLUDE REGEX "${foreign}")
    set(${list_name} ${sources} PARENT_SCOPE)
endfunction()
