#pragma once

#include <string>
#include <windows.h>
#include <winhttp.h>

namespace corvano {

// Opens the asynchronous WinHTTP session a transfer runs in, through the proxy the user set
// for this machine unless the transfer goes direct.
namespace WinHttpSession {

// The session for a request to address (a configuration script may name a proxy for each
// address). Null on failure, with the reason in GetLastError. Where Internet Options name a
// script (Windows 7), it is fetched and run here, which may take a few seconds.
HINTERNET open(bool direct, const std::wstring& address);

} // namespace WinHttpSession

} // namespace corvano
