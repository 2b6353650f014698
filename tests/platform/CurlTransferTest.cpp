// libcurl's global calls are counted and one host name's lookup stalls (a process per case).
#include "platform/CurlTransfer.h"

#include "RawServer.h"
#include "platform/EventQueue.h"

#include <atomic>
#include <curl/curl.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <string_view>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;
using Then = RawServer::Then;

// What arrived is the page, unless none did, the reply is no page, or the connection went
// quiet for the idle limit. A whole page ends at once: waiting on, it would time out.
TEST(CurlTransferTest, EndsAsTheServerAnswers)
{
    EventQueue events;
    CurlTransfer transfer{events, 1s}; // an idle limit of 1 s
    TransferState last{};
    // Processes events the way a waiting run does; each state must reach this thread.
    const auto runToEnd = [&, uiThread = std::this_thread::get_id()](const std::string& address) {
        transfer.setStateHandler([&](TransferState state) {
            last = state;
            EXPECT_EQ(std::this_thread::get_id(), uiThread);
        });
        transfer.Execute(address, "get");
        while (transfer.StillExecuting())
            events.processEvents();
        return transfer.failure();
    };
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    using enum TransferFailure;
    // the reply, what the server does then, the failure, the bytes received
    for (const auto& [reply, then, failure, received] :
         std::vector<std::tuple<std::string, Then, TransferFailure, std::size_t>>{
             // Full at the read size, then silent: the rest never comes.
             {ok + "\r\n" + std::string(65534, 'x'), Then::Hold, None, 65534},
             {ok + "\r\n" + std::string(65540, 'x'), Then::Hold, None, 65534},
             // Promised more, then closed: what came is the page.
             {ok + "Content-Length: 1000\r\n\r\n<a href=\"/a\">A</a>", Then::Close, None, 18},
             {ok + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", Then::Close, None, 5},
             // A page that keeps sending, a byte every 0.3 s, is never idle for 1 s.
             {ok + "Content-Length: 7\r\n\r\nxxxxxxx", Then::Drip, None, 7},
             // Promised a body, then closed before any of it: the page was not fetched.
             {ok + "Content-Length: 5000\r\n\r\n", Then::Close, Failed, 0},
             // Hostile replies: a redirect to itself, no HTTP, a huge header, a reset.
             {"HTTP/1.1 302 Found\r\nLocation: /\r\nContent-Length: 0\r\n\r\n", Then::Close, Failed,
              0},
             {"\x01\x02 this is not HTTP\r\n\r\n<a href=\"/a\">A</a>", Then::Close, Failed, 0},
             {ok + "X-Big: " + std::string(1 << 20, 'x') + "\r\nContent-Length: 3\r\n\r\n<p>",
              Then::Close, Failed, 0},
             {ok + "Content-Length: 100000\r\n\r\n<p>", Then::Reset, Failed, 0},
             // Silent after the head or the first bytes: the idle limit counts from the last.
             {"", Then::Hold, TimedOut, 0},
             {ok + "Content-Length: 1000\r\n\r\n<p>", Then::Hold, TimedOut, 0},
         }) {
        SCOPED_TRACE(reply.substr(0, 60));
        RawServer server(reply, then);
        EXPECT_EQ(runToEnd(server.url()), failure);
        EXPECT_EQ(transfer.GetChunk(65534).size(), received);
        EXPECT_EQ(last, failure == None ? TransferState::ResponseCompleted : TransferState::Error);
        EXPECT_EQ(transfer.effectiveUrl().empty(), failure != None);
    }
    const std::string gone = RawServer("", Then::Close).url(); // nothing listens any more
    EXPECT_EQ(runToEnd(gone), Failed);
    EXPECT_EQ(runToEnd("see " + gone), Failed);
    // Only the request time-out ends a page that keeps sending.
    transfer.setRequestTimeout(1);
    RawServer dripping(ok + "Content-Length: 7\r\n\r\nxxxxxxx", Then::Drip);
    EXPECT_EQ(runToEnd(dripping.url()), TimedOut);
}

namespace {

std::atomic<int> globalInits{0};
std::atomic<int> globalCleanups{0};
std::atomic<int> stalledLookups{0};
std::atomic<bool> lookupsReleased{false};

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" CURLcode curl_global_init(long flags)
{
    ++globalInits;
    return next<CURLcode (*)(long)>("curl_global_init")(flags);
}

extern "C" void curl_global_cleanup()
{
    ++globalCleanups;
    next<void (*)()>("curl_global_cleanup")();
}

// No answer for one host name until the test lets it: a stop that waited for it would hang.
extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** result)
{
    if (node && std::string_view(node) == "stalled.test") {
        ++stalledLookups;
        while (!lookupsReleased)
            std::this_thread::sleep_for(10ms);
    }
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    return next<Lookup>("getaddrinfo")(node, service, hints, result);
}

// libcurl starts once for all transfers; a stalled lookup holds no cancel and no destruction
TEST(CurlProcess, LibraryStartsOnceAndStoppingNeverWaitsForALookup)
{
    EventQueue events;
    {
        CurlTransfer cancelled(events), dropped(events);
        cancelled.Execute("http://stalled.test/", "get");
        dropped.Execute("http://stalled.test/", "get");
        while (stalledLookups < 2)
            std::this_thread::sleep_for(1ms);
        cancelled.cancel();
        while (cancelled.StillExecuting())
            events.processEvents();
        EXPECT_EQ(cancelled.failure(), TransferFailure::Cancelled);
    }
    lookupsReleased = true;
    // Events the workers posted before they were stopped must find nothing to touch.
    events.processPendingEvents();
    RawServer server("HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n<p>hello</p>", Then::Close);
    CurlTransfer later(events);
    later.Execute(server.url(), "get");
    while (later.StillExecuting())
        events.processEvents();
    EXPECT_EQ(later.GetChunk(100), "<p>hello</p>");
    EXPECT_EQ(globalInits, 1);
    EXPECT_EQ(globalCleanups, 0);
}
