# Checks that a built Windows program starts on Windows 7 SP1: the loader refuses a program
# that imports by name a function the system lacks, before any of its code runs. Such calls
# must be looked up at run time. Run with -DOBJDUMP= -DPROGRAM=.
cmake_minimum_required(VERSION 3.25)

# Functions that came after Windows 7 and that this program, its run-times or the libraries
# linked in might reach for: the per-monitor resolution calls (Windows 10 1607 and 8.1), and
# the kernel's, threads' and network's later additions.
set(newerThanWindows7
    # USER32, Windows 10 1607 and later
    GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi SystemParametersInfoForDpi
    GetSystemMetricsForDpi EnableNonClientDpiScaling SetThreadDpiAwarenessContext
    GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext AreDpiAwarenessContextsEqual
    SetProcessDpiAwarenessContext GetAwarenessFromDpiAwarenessContext
    LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
    # USER32, Windows 8
    GetPointerInfo GetPointerType EnableMouseInPointer
    # SHCORE (Windows 8.1)
    GetDpiForMonitor SetProcessDpiAwareness GetProcessDpiAwareness GetScaleFactorForMonitor
    # KERNEL32, Windows 8 and later
    GetSystemTimePreciseAsFileTime CreateFile2 CopyFile2 GetOverlappedResultEx
    GetCurrentThreadStackLimits PrefetchVirtualMemory DiscardVirtualMemory
    SetThreadDescription GetThreadDescription SetThreadInformation GetThreadInformation
    GetProcessInformation SetProcessInformation CreateFileMappingFromApp MapViewOfFileFromApp
    VirtualAlloc2 MapViewOfFile3 GetPackageFamilyName GetCurrentPackageId
    GetFileInformationByName GetTempPath2W GetTempPath2A
    # API sets of Windows 8 (WaitOnAddress and its kind)
    WaitOnAddress WakeByAddressSingle WakeByAddressAll
    # BCRYPTPRIMITIVES, Windows 8
    ProcessPrng
    # WINHTTP, Windows 8 and later
    WinHttpCreateProxyResolver WinHttpGetProxyForUrlEx WinHttpGetProxyResult
    WinHttpFreeProxyResult WinHttpResetAutoProxy WinHttpWebSocketCompleteUpgrade)

# Libraries that Windows 7 does not have at all.
set(newerLibraries shcore api-ms-win-core-synch-l1-2-0 api-ms-win-core-path-l1-1-0
    api-ms-win-core-winrt-l1-1-0 bcryptprimitives)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()
if(NOT headers MATCHES "DLL Name: [Kk][Ee][Rr][Nn][Ee][Ll]32")
    message(FATAL_ERROR "${PROGRAM}: no import table read; the check would pass on nothing")
endif()

set(found "")
foreach(name IN LISTS newerThanWindows7)
    if(headers MATCHES "[ \t]${name}\r?\n")
        list(APPEND found ${name})
    endif()
endforeach()
string(TOLOWER "${headers}" lowered)
foreach(library IN LISTS newerLibraries)
    if(lowered MATCHES "dll name: ${library}\\.dll")
        list(APPEND found ${library}.dll)
    endif()
endforeach()
if(found)
    list(JOIN found ", " names)
    message(FATAL_ERROR "${PROGRAM} imports what Windows 7 lacks, so it would not start there: "
                        "${names}")
endif()
