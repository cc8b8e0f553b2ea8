# Sources that belong to one platform carry its back-end in their name: `_sdl` for the Linux
# build, `_mci` for the Windows one. Removes the other platform's files from a source list.
function(lumenvale_keep_platform_sources list_name)
    if(WIN32)
        set(foreign "_sdl(_test)?\\.cpp$")
    else()
        set(foreign "_mci(_test)?\\.cpp$")
    endif()
    set(sources ${${list_name}})
    list(FILTER sources EXCLUDE REGEX "${foreign}")
    set(${list_name} ${sources} PARENT_SCOPE)
endfunction()
