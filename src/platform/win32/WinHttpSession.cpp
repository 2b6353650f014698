#include "WinHttpSession.h"

#include <memory>

namespace corvano {

namespace {

constexpr const wchar_t* kAgent = L"Corvano/1.0";

struct GlobalDeleter
{
    void operator()(wchar_t* text) const { ::GlobalFree(text); }
};
using GlobalText = std::unique_ptr<wchar_t, GlobalDeleter>;

HINTERNET openWith(DWORD access, const wchar_t* proxy = WINHTTP_NO_PROXY_NAME,
                   const wchar_t* bypass = WINHTTP_NO_PROXY_BYPASS)
{
    return ::WinHttpOpen(kAgent, access, proxy, bypass, WINHTTP_FLAG_ASYNC);
}

// Windows 7 has no automatic proxy: the proxy server the user named in Internet Options.
// The default access type alone would follow the machine's WinHTTP setting instead, which
// users never set.
HINTERNET openWithInternetOptions()
{
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    if (!::WinHttpGetIEProxyConfigForCurrentUser(&config))
        return openWith(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY);
    const GlobalText autoConfig(config.lpszAutoConfigUrl);
    const GlobalText proxy(config.lpszProxy);
    const GlobalText bypass(config.lpszProxyBypass);
    if (!proxy || !*proxy)
        return openWith(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY);
    return openWith(WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.get(),
                    bypass && *bypass ? bypass.get() : WINHTTP_NO_PROXY_BYPASS);
}

// Windows 8.1 or later, as the manifest lets the system say.
bool hasAutomaticProxy()
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = 6;
    version.dwMinorVersion = 3;
    const ULONGLONG atLeast =
        ::VerSetConditionMask(::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL),
                              VER_MINORVERSION, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION, atLeast);
}

} // namespace

HINTERNET WinHttpSession::open(bool direct)
{
    if (direct)
        return openWith(WINHTTP_ACCESS_TYPE_NO_PROXY);
    // Windows 8.1 and later follow the user's own settings, detection and scripts included.
    if (hasAutomaticProxy()) {
        if (HINTERNET session = openWith(WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY))
            return session;
    }
    return openWithInternetOptions();
}

} // namespace corvano
