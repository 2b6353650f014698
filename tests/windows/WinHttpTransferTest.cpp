#include "platform/win32/WinHttpTransfer.h"

#include "PageServer.h"
#include "platform/EventQueue.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

constexpr const wchar_t* kConnections =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

// The proxy the user names in Internet Options, set for the test's lifetime as the settings
// page stores it, and the user's earlier settings put back afterwards.
class InternetOptionsProxy
{
public:
    explicit InternetOptionsProxy(const std::string& proxy)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kConnections, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_key, nullptr);
        DWORD size = 0;
        if (::RegQueryValueExW(m_key, L"DefaultConnectionSettings", nullptr, nullptr, nullptr,
                               &size) == ERROR_SUCCESS) {
            m_saved.resize(size);
            ::RegQueryValueExW(m_key, L"DefaultConnectionSettings", nullptr, nullptr,
                               m_saved.data(), &size);
            m_hadSettings = true;
        }
        // Version, a change counter, the flags (direct | named proxy), then the proxy, the
        // bypass list and the configuration script, each as a length and its bytes.
        std::vector<BYTE> settings;
        const auto add = [&settings](DWORD value) {
            const auto* bytes = reinterpret_cast<const BYTE*>(&value);
            settings.insert(settings.end(), bytes, bytes + sizeof value);
        };
        add(0x46);
        add(1);
        add(1 | 2);
        add(static_cast<DWORD>(proxy.size()));
        settings.insert(settings.end(), proxy.begin(), proxy.end());
        add(0);
        add(0);
        settings.resize(settings.size() + 32);
        ::RegSetValueExW(m_key, L"DefaultConnectionSettings", 0, REG_BINARY, settings.data(),
                         static_cast<DWORD>(settings.size()));
    }
    ~InternetOptionsProxy()
    {
        if (m_hadSettings)
            ::RegSetValueExW(m_key, L"DefaultConnectionSettings", 0, REG_BINARY, m_saved.data(),
                             static_cast<DWORD>(m_saved.size()));
        else
            ::RegDeleteValueW(m_key, L"DefaultConnectionSettings");
        ::RegCloseKey(m_key);
    }
    InternetOptionsProxy(const InternetOptionsProxy&) = delete;
    InternetOptionsProxy& operator=(const InternetOptionsProxy&) = delete;

private:
    HKEY m_key = nullptr;
    std::vector<BYTE> m_saved;
    bool m_hadSettings = false;
};

TransferFailure runToEnd(EventQueue& events, WinHttpTransfer& transfer, const std::string& address)
{
    transfer.Execute(address, "get");
    while (transfer.StillExecuting())
        events.processEvents();
    return transfer.failure();
}

} // namespace

// On Windows 7 (as which Wine runs this program: see CMakeLists.txt) the system's settings go
// through the proxy the user set in Internet Options; going direct does not. The proxy is
// asked for the whole address, which only it can answer. Later systems' automatic proxy
// Wine takes for none, so it cannot be shown here.
TEST(WinHttpTransfer, FollowsTheProxyOfTheUsersInternetOptions)
{
    PageServer proxy;
    const std::string address = "http://corvano.invalid/list.html";
    // Some systems name the port in the address they ask a proxy for.
    const std::string withPort = "http://corvano.invalid:80/list.html";
    proxy.serve(address, "<ul>through the proxy</ul>");
    proxy.serve(withPort, "<ul>through the proxy</ul>");
    const auto asked = [&] { return proxy.requests(address) + proxy.requests(withPort); };
    const std::string port = proxy.url("").substr(std::string("http://127.0.0.1:").size());
    const InternetOptionsProxy options("127.0.0.1:" + port);
    EventQueue events;
    WinHttpTransfer transfer(events, 5s);

    EXPECT_EQ(runToEnd(events, transfer, address), TransferFailure::None) << transfer.failureText();
    EXPECT_EQ(transfer.GetChunk(Transfer::kReadSize), "<ul>through the proxy</ul>");
    EXPECT_EQ(asked(), 1);

    transfer.setAccessType(AccessType::Direct);
    EXPECT_EQ(runToEnd(events, transfer, address), TransferFailure::Failed);
    EXPECT_EQ(asked(), 1);
}
