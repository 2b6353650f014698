#include "platform/win32/WinHttpTransfer.h"

#include "LoopbackServer.h"
#include "platform/EventQueue.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

constexpr const wchar_t* kConnections =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

// The proxy or configuration script of Internet Options, stored as its settings page does,
// for the test's lifetime; removed after, so the prefix's connections go direct again.
class InternetOptionsProxy
{
public:
    InternetOptionsProxy(const std::string& proxy, const std::string& script)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kConnections, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &m_key, nullptr);
        // Version, a change counter, the flags (direct, named proxy 2, script 4), then the
        // proxy, the bypass list and the script's address, each as a length and its bytes.
        std::string settings;
        const auto add = [&settings](DWORD value) {
            settings.append(reinterpret_cast<const char*>(&value), sizeof value);
        };
        add(0x46);
        add(1);
        add(1 | (proxy.empty() ? 0 : 2) | (script.empty() ? 0 : 4));
        for (const std::string& text : {proxy, std::string(), script}) {
            add(static_cast<DWORD>(text.size()));
            settings += text;
        }
        settings.resize(settings.size() + 32);
        ::RegSetValueExW(m_key, L"DefaultConnectionSettings", 0, REG_BINARY,
                         reinterpret_cast<const BYTE*>(settings.data()),
                         static_cast<DWORD>(settings.size()));
    }
    ~InternetOptionsProxy()
    {
        ::RegDeleteValueW(m_key, L"DefaultConnectionSettings");
        ::RegCloseKey(m_key);
    }
    InternetOptionsProxy(const InternetOptionsProxy&) = delete;
    InternetOptionsProxy& operator=(const InternetOptionsProxy&) = delete;

private:
    HKEY m_key = nullptr;
};

TransferFailure runToEnd(EventQueue& events, WinHttpTransfer& transfer, const std::string& address)
{
    transfer.Execute(address, "get");
    while (transfer.StillExecuting())
        events.processEvents();
    return transfer.failure();
}

} // namespace

// On Windows 7 (as which Wine runs this program) the system's settings go through the proxy
// of Internet Options, asked for an address only it can answer; going direct does not. Wine
// takes later systems' automatic proxy for none, so that cannot be shown here.
TEST(WinHttpTransfer, FollowsTheProxyOfTheUsersInternetOptions)
{
    LoopbackServer proxy;
    const std::string address = "http://corvano.invalid/list.html";
    // Some systems name the port in the address they ask a proxy for.
    const std::string withPort = "http://corvano.invalid:80/list.html";
    for (const std::string& asked : {address, withPort})
        proxy.serve(asked, "<ul>through the proxy</ul>");
    const std::string port = proxy.url("").substr(std::string("http://127.0.0.1:").size());
    proxy.serve("/proxy.pac",
                "function FindProxyForURL(url, host) { return \"PROXY 127.0.0.1:" + port + "\"; }");
    proxy.start();
    int asked = 0;
    const auto askedNow = [&] { return proxy.requests(address) + proxy.requests(withPort); };
    struct Row
    {
        const char* scenario;
        std::string named; // the proxy server the user typed
        bool script;       // a configuration script that names the loopback proxy
    };
    for (const Row& row :
         {Row{"named proxy", "127.0.0.1:" + port, false}, Row{"configuration script", "", true},
          // Port 9 of the loopback answers nothing: the script comes first.
          Row{"the script before the name", "127.0.0.1:9", true}}) {
        SCOPED_TRACE(row.scenario);
        const InternetOptionsProxy options(row.named, row.script ? proxy.url("/proxy.pac") : "");
        EventQueue events;
        WinHttpTransfer transfer(events, 5s);
        EXPECT_EQ(runToEnd(events, transfer, address), TransferFailure::None)
            << transfer.failureText();
        EXPECT_EQ(transfer.GetChunk(Transfer::kReadSize), "<ul>through the proxy</ul>");
        EXPECT_EQ(askedNow(), ++asked);

        transfer.setAccessType(AccessType::Direct);
        EXPECT_EQ(runToEnd(events, transfer, address), TransferFailure::Failed);
        EXPECT_EQ(askedNow(), asked);
    }
}
