#include "WinHttpSession.h"

#include <memory>
#include <string>

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

struct InternetDeleter
{
    void operator()(void* handle) const { ::WinHttpCloseHandle(handle); }
};

// Waits of the script's lookup and download: a network that does not answer them ends in a
// direct or named connection instead.
constexpr int kScriptTimeout = 5000;

// What the configuration script (given, or found on the network) names for this address;
// false when there is no script or it cannot be had.
bool scriptProxy(const WINHTTP_CURRENT_USER_IE_PROXY_CONFIG& config, const std::wstring& address,
                 HINTERNET& session)
{
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (config.lpszAutoConfigUrl && *config.lpszAutoConfigUrl) {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = config.lpszAutoConfigUrl;
    } else if (config.fAutoDetect) {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    } else {
        return false;
    }
    options.fAutoLogonIfChallenged = TRUE;
    // A synchronous session of its own: the lookup blocks, and the script is fetched direct.
    const std::unique_ptr<void, InternetDeleter> lookup(::WinHttpOpen(
        kAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!lookup)
        return false;
    ::WinHttpSetTimeouts(lookup.get(), kScriptTimeout, kScriptTimeout, kScriptTimeout,
                         kScriptTimeout);
    WINHTTP_PROXY_INFO info{};
    if (!::WinHttpGetProxyForUrl(lookup.get(), address.c_str(), &options, &info))
        return false;
    const GlobalText proxy(info.lpszProxy);
    const GlobalText bypass(info.lpszProxyBypass);
    session = info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && proxy && *proxy
                  ? openWith(WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.get(),
                             bypass && *bypass ? bypass.get() : WINHTTP_NO_PROXY_BYPASS)
                  : openWith(WINHTTP_ACCESS_TYPE_NO_PROXY);
    return true;
}

// Windows 7 has no automatic proxy: Internet Options as the browser reads them, the
// configuration script first, then the proxy server the user named. The default access type
// alone would follow the machine's WinHTTP setting instead, which users never set.
HINTERNET openWithInternetOptions(const std::wstring& address)
{
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    if (!::WinHttpGetIEProxyConfigForCurrentUser(&config))
        return openWith(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY);
    const GlobalText autoConfig(config.lpszAutoConfigUrl);
    const GlobalText proxy(config.lpszProxy);
    const GlobalText bypass(config.lpszProxyBypass);
    HINTERNET session = nullptr;
    if (scriptProxy(config, address, session))
        return session;
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

HINTERNET WinHttpSession::open(bool direct, const std::wstring& address)
{
    if (direct)
        return openWith(WINHTTP_ACCESS_TYPE_NO_PROXY);
    // Windows 8.1 and later follow the user's own settings, detection and scripts included.
    if (hasAutomaticProxy()) {
        if (HINTERNET session = openWith(WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY))
            return session;
    }
    return openWithInternetOptions(address);
}

} // namespace corvano
