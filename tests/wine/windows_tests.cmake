# The Windows build's own tests beyond the suites: the end-to-end suite of the Linux build, driving
# lumenvale.exe under Wine, and the end of the Wine session whatever the results.
set(LUMENVALE_HOST_BUILD_DIR "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "The Linux build whose end-to-end driver runs the Windows program (scripts/build.sh makes it)")

# The driver starts one program with the player's arguments: this script, which runs the .exe
# under Wine.
set(player "${CMAKE_BINARY_DIR}/lumenvale-under-wine.sh")
file(GENERATE OUTPUT "${player}"
     CONTENT "#!/bin/sh\nexec '${LUMENVALE_WINE_SESSION}' '${LUMENVALE_WINE_DIR}' run '$<TARGET_FILE:lumenvale>' \"$@\"\n"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# One check is Linux's own: the one with no display runs the Linux program itself. The window
# options' pictures are checked on Linux only: Wine draws its own frame around the picture on
# screens without a window manager and ignores a resize made from outside, which the rows expect.
# What one of the session's sound cards plays (the default, or the one PULSE_SINK names), recorded
# from its null sink as raw 16-bit stereo frames; the cards a test may give its players.
set(capture "env PULSE_SERVER=unix:${LUMENVALE_WINE_DIR}/run/pulse.sock parec -d \${PULSE_SINK:-nullsink}.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=20")
set(cards "nullsink,nullsink1,nullsink2")

add_test(NAME e2e_under_wine
         COMMAND "${LUMENVALE_HOST_BUILD_DIR}/tests/test_e2e"
                 "--gtest_filter=-BrokenInstallation.WithoutADisplay*:PlayerWindow.OptionsShowTheWholeFilm*"
         WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
set_tests_properties(e2e_under_wine PROPERTIES
    LABELS e2e RESOURCE_LOCK sound_card COST 1000 TIMEOUT 900 FIXTURES_REQUIRED wine_session
    ENVIRONMENT "LUMENVALE_PLAYER=${player};LUMENVALE_PLAYER_PATHS=windows;LUMENVALE_MUSIC_CAPTURE=${capture};LUMENVALE_SOUND_CARDS=${cards}")

add_test(NAME wine_session_stop COMMAND "${LUMENVALE_WINE_SESSION}" "${LUMENVALE_WINE_DIR}" stop)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)

# The program's file properties: the icon its file and its windows show, and its version.
add_test(NAME exe_icon_and_version
         COMMAND sh -c "'${CMAKE_RC_COMPILER}' -i '$<TARGET_FILE:lumenvale>' -O rc | grep -c -e '\"GLFW_ICON\" 14' -e 'VALUE \"FileVersion\", \"${PROJECT_VERSION}\"' | grep -qx 2")
