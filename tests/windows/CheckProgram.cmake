# Checks a built Windows program as it will ship: the subsystem it starts in, that it needs no
# DLL but the system's own (everything else is linked in), and, where asked, the resources it
# carries. Run with -DOBJDUMP= -DPROGRAM= -DSUBSYSTEM= [-DWRESTOOL= -DRESOURCES=type;...].
cmake_minimum_required(VERSION 3.25)

set(systemDlls advapi32 comctl32 comdlg32 gdi32 kernel32 msimg32 msvcrt ole32 oleaut32 shell32
    shlwapi user32 uxtheme windowscodecs winhttp ws2_32)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()

string(REGEX MATCH "Subsystem[ \t]+0*([0-9]+)" ignored "${headers}")
if(NOT CMAKE_MATCH_1 STREQUAL SUBSYSTEM)
    message(FATAL_ERROR "${PROGRAM}: subsystem ${CMAKE_MATCH_1}, not ${SUBSYSTEM}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
    string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]" "\\1" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST systemDlls)
        message(FATAL_ERROR "${PROGRAM} needs ${dll}.dll, which is not part of Windows")
    endif()
endforeach()

if(RESOURCES)
    execute_process(COMMAND ${WRESTOOL} --list ${PROGRAM} OUTPUT_VARIABLE listing
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${WRESTOOL} cannot read ${PROGRAM}")
    endif()
    foreach(type IN LISTS RESOURCES)
        if(NOT listing MATCHES "--type=${type} ")
            message(FATAL_ERROR "${PROGRAM} has no resource of type ${type}")
        endif()
    endforeach()
endif()
