# Test programs of the Windows build run under Wine, through wine_session.sh and its private
# prefix and sound device in the build tree.
set(LUMENVALE_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
set(LUMENVALE_WINE_SESSION "${CMAKE_CURRENT_LIST_DIR}/wine_session.sh")
set(CMAKE_CROSSCOMPILING_EMULATOR "${LUMENVALE_WINE_SESSION};${LUMENVALE_WINE_DIR};run")

# googletest built from the sources Debian's libgtest-dev ships.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

# Starting a program under Wine costs far more than a test: one entry per test program, which
# runs all of its tests in one process (their names and results are in the test's output). Left
# out: tests that work the host itself (the camera's input tests type with the host's xdotool; the
# shader-file test reads /proc and expects Linux's error texts), and one that needs a context no
# earlier test has touched, which only a process of its own gives.
set(LUMENVALE_WINE_TEST_FILTER "-CameraInputs.*:ShaderFiles.AFolderOrAFileThatBreaksOffIsReportedLikeAMissingOne:GlWrappers.BuffersLeaveTheBindingsTheirContractPromises")
function(lumenvale_add_wine_test target label)
    add_test(NAME ${target} COMMAND ${target} "--gtest_filter=${LUMENVALE_WINE_TEST_FILTER}"
             WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
    set_tests_properties(${target} PROPERTIES
        LABELS "${label}" FIXTURES_REQUIRED wine_session TIMEOUT 600
        ${LUMENVALE_TEST_PROPERTIES_${label}})
endfunction()
