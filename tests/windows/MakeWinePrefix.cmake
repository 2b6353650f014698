# Creates the Wine prefix ($ENV{WINEPREFIX}) once, so no test pays for Wine's first start.
# Windows are made with Wine's null display driver: the window tests need no X server, as the
# Qt ones run on the offscreen platform.
if(NOT DEFINED ENV{WINEPREFIX})
    message(FATAL_ERROR "WINEPREFIX is not set")
endif()
if(NOT EXISTS "$ENV{WINEPREFIX}/system.reg")
    file(MAKE_DIRECTORY "$ENV{WINEPREFIX}")
    execute_process(COMMAND ${WINE} wineboot -i RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "wineboot failed: ${result}")
    endif()
endif()
file(READ "$ENV{WINEPREFIX}/user.reg" userRegistry)
if(NOT userRegistry MATCHES "\"Graphics\"=\"null\"")
    execute_process(
        COMMAND ${WINE} reg add "HKCU\\Software\\Wine\\Drivers" /v Graphics /d null /f
        RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "setting Wine's null display driver failed: ${result}")
    endif()
    # The registry reaches user.reg, and every later Wine process, once the server has ended.
    get_filename_component(wineFolder ${WINE} DIRECTORY)
    find_program(WINESERVER NAMES wineserver64 wineserver HINTS ${wineFolder} /usr/lib/wine)
    execute_process(COMMAND ${WINESERVER} -w)
endif()
