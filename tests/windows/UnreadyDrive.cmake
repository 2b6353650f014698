# Gives the Wine prefix ($ENV{WINEPREFIX}) a drive Y: that leads to a missing folder, so that
# it is listed but cannot be opened, as a drive without its disc; -DREMOVE=ON takes it away.
if(NOT DEFINED ENV{WINEPREFIX})
    message(FATAL_ERROR "WINEPREFIX is not set")
endif()
set(drive "$ENV{WINEPREFIX}/dosdevices/y:")
file(REMOVE "${drive}")
if(NOT REMOVE)
    file(CREATE_LINK "/nonexistent/corvano-unready-drive" "${drive}" SYMBOLIC)
endif()
