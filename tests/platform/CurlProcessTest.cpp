// libcurl's process-wide calls and the host-name lookup are replaced here by counting and
// stalling versions, so these cases run in a program of their own.
#include "LoopbackServer.h"
#include "platform/CurlTransfer.h"
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

// A name server that does not answer for one host name until the test lets it: a cancel or
// a destruction that waited for the lookup would hang the test.
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

// libcurl starts once for all transfers, two at once among them (as the launcher's page strip
// and the main window may run them), and stays up between them; a lookup that never answers
// holds neither a cancel nor a destruction
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
    LoopbackServer server;
    server.serve("/page", "<p>hello</p>");
    server.start();
    CurlTransfer later(events);
    later.Execute(server.url("/page"), "get");
    while (later.StillExecuting())
        events.processEvents();
    EXPECT_EQ(later.GetChunk(100), "<p>hello</p>");
    EXPECT_EQ(globalInits, 1);
    EXPECT_EQ(globalCleanups, 0);
}
