#include "platform/CurlTransfer.h"

#include "LoopbackServer.h"
#include "RawServer.h"
#include "platform/EventQueue.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

class CurlTransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.serve("/page", "<p>hello</p>", "text/html; charset=UTF-8");
        server.serve("/long", std::string(200000, 'x'));
        server.routes().Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/page");
        });
        server.routes().Get("/drip", [](const httplib::Request&, httplib::Response& res) {
            // A byte every 0.3 s for 2.1 s, never quiet for the idle limit of 1 s; of a type
            // the server sends uncompressed, as a compressor would hold the bytes back.
            res.set_chunked_content_provider("application/octet-stream",
                                             [](size_t sent, httplib::DataSink& sink) {
                                                 std::this_thread::sleep_for(300ms);
                                                 if (sent < 7)
                                                     return sink.write("x", 1);
                                                 sink.done();
                                                 return true;
                                             });
        });
        server.start();
    }

    // Processes events the way a waiting run does, recording every state on the way.
    TransferFailure runToEnd(CurlTransfer& transfer, const std::string& address)
    {
        states.clear();
        transfer.setStateHandler([this](TransferState state) {
            states.push_back(state);
            EXPECT_EQ(std::this_thread::get_id(), uiThread);
        });
        transfer.Execute(address, "get");
        while (transfer.StillExecuting())
            events.processEvents();
        return transfer.failure();
    }

    LoopbackServer server;
    RawServer silent{"", RawServer::Then::Hold}; // accepts, and never answers
    EventQueue events;
    CurlTransfer transfer{events, 1s}; // an idle limit of 1 s
    std::vector<TransferState> states;
    std::thread::id uiThread = std::this_thread::get_id();
};

} // namespace

// Transfers that succeed; each can follow another
TEST_F(CurlTransferTest, DeliversTheBodyUpToTheCapAndFollowsRedirects)
{
    EXPECT_EQ(runToEnd(transfer, server.url("/page")), TransferFailure::None);
    EXPECT_EQ(transfer.contentType(), "text/html; charset=UTF-8");
    EXPECT_EQ(transfer.GetChunk(65534), "<p>hello</p>");
    EXPECT_EQ(states.front(), TransferState::Connecting);
    EXPECT_EQ(states.back(), TransferState::ResponseCompleted);
    EXPECT_EQ(runToEnd(transfer, server.url("/long")), TransferFailure::None);
    EXPECT_EQ(transfer.GetChunk(200000).size(), 65534u); // the rest never came
    EXPECT_EQ(runToEnd(transfer, server.url("/moved")), TransferFailure::None);
    EXPECT_EQ(transfer.GetChunk(100), "<p>hello</p>");
    EXPECT_EQ(transfer.effectiveUrl(), server.url("/page")); // where relative links resolve
}

// Failures
TEST_F(CurlTransferTest, ErrorsAndTimeOutsEndTheTransferWithoutABody)
{
    // Each ends soon; the silent server's within the idle limit of 1 s.
    for (const auto& [address, failure] : std::vector<std::pair<std::string, TransferFailure>>{
             {server.url("/missing"), TransferFailure::Failed},
             {"see " + server.url("/page"), TransferFailure::Failed},
             {silent.url(), TransferFailure::TimedOut}}) {
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(runToEnd(transfer, address), failure) << address;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 2s) << address;
        EXPECT_EQ(states.back(), TransferState::Error) << address;
        EXPECT_EQ(transfer.GetChunk(65534), "") << address;
        EXPECT_EQ(transfer.effectiveUrl(), "") << address;
    }
    // A page that keeps sending is no time-out, however slow; only the request time-out ends it.
    EXPECT_EQ(runToEnd(transfer, server.url("/drip")), TransferFailure::None);
    EXPECT_EQ(transfer.GetChunk(100), "xxxxxxx");
    transfer.setRequestTimeout(1);
    EXPECT_EQ(runToEnd(transfer, server.url("/drip")), TransferFailure::TimedOut);
    const std::string refused = server.url("/page");
    server.stop();
    EXPECT_EQ(runToEnd(transfer, refused), TransferFailure::Failed);
}

// Servers that stop sending: what arrived is the page, unless none did or the connection merely
// went quiet
TEST_F(CurlTransferTest, APageCutShortOrFullEndsAtOnceAndASilentOneWithinTheIdleLimit)
{
    using Then = RawServer::Then;
    const std::string ok = "HTTP/1.1 200 OK\r\n", chunk = std::string(0xfff0, 'c');
    struct Case
    {
        std::string reply;
        Then then;
        TransferFailure failure;
        std::size_t received;
    };
    // With an idle limit of 1 s, a page that is whole would time out if the transfer waited
    // on; a silent one must end within the limit and one second.
    for (const auto& [reply, then, failure, received] : std::vector<Case>{
             // Full exactly at the read size, then silent: ends at once, whatever the framing.
             {ok + "\r\n" + std::string(65534, 'x'), Then::Hold, TransferFailure::None, 65534},
             {ok + "Content-Length: 70000\r\n\r\n" + std::string(65534, 'x'), Then::Hold,
              TransferFailure::None, 65534},
             {ok + "Transfer-Encoding: chunked\r\n\r\nfff0\r\n" + chunk + "\r\n" + "e\r\n" +
                  std::string(14, 'x') + "\r\n",
              Then::Hold, TransferFailure::None, 65534},
             {ok + "\r\n" + std::string(65540, 'x'), Then::Hold, TransferFailure::None, 65534},
             // Promised more, then closed: what came is the page.
             {ok + "Content-Length: 1000\r\n\r\n<a href=\"/a\">A</a>", Then::Close,
              TransferFailure::None, 18},
             {ok + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", Then::Close,
              TransferFailure::None, 5},
             // Promised a body, then closed before any of it: the page was not fetched.
             {ok + "Content-Length: 5000\r\n\r\n", Then::Close, TransferFailure::Failed, 0},
             // Hostile replies: a redirect to itself, no HTTP, a huge header, a reset.
             {"HTTP/1.1 302 Found\r\nLocation: /\r\nContent-Length: 0\r\n\r\n", Then::Close,
              TransferFailure::Failed, 0},
             {"\x01\x02 this is not HTTP\r\n\r\n<a href=\"/a\">A</a>", Then::Close,
              TransferFailure::Failed, 0},
             {ok + "X-Big: " + std::string(1 << 20, 'x') + "\r\nContent-Length: 3\r\n\r\n<p>",
              Then::Close, TransferFailure::Failed, 0},
             {ok + "Content-Length: 100000\r\n\r\n<p>", Then::Reset, TransferFailure::Failed, 0},
             // Silent after the head or the first bytes: the idle limit counts from the last byte.
             {ok + "Content-Length: 1000\r\n\r\n", Then::Hold, TransferFailure::TimedOut, 0},
             {ok + "Content-Length: 1000\r\n\r\n<p>", Then::Hold, TransferFailure::TimedOut, 0},
         }) {
        RawServer server(reply, then);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(runToEnd(transfer, server.url()), failure) << reply.substr(0, 60);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 2s) << reply.substr(0, 60);
        EXPECT_EQ(transfer.GetChunk(65534).size(), received) << reply.substr(0, 60);
    }
}

// Ending a transfer early
TEST_F(CurlTransferTest, CancelEndsARunningTransferAndDestroyingOneIsSafe)
{
    transfer.Execute(silent.url(), "get");
    transfer.cancel();
    while (transfer.StillExecuting())
        events.processEvents();
    EXPECT_EQ(transfer.failure(), TransferFailure::Cancelled);
    {
        CurlTransfer doomed(events, 5s);
        doomed.Execute(silent.url(), "get");
    }
    // Events the worker posted before it was stopped must find nothing to touch.
    events.processPendingEvents();
}
