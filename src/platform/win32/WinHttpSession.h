#pragma once

#include <windows.h>
#include <winhttp.h>

namespace corvano {

// Opens the asynchronous WinHTTP session a transfer runs in, through the proxy the user set
// for this machine unless the transfer goes direct.
namespace WinHttpSession {

// Null on failure, with the reason in GetLastError.
HINTERNET open(bool direct);

} // namespace WinHttpSession

} // namespace corvano
