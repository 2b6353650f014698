#include "platform/CurlTransfer.h"

#include "LoopbackServer.h"
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
        server.routes().Get("/page", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<p>hello</p>", "text/html; charset=UTF-8");
        });
        server.routes().Get("/long", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(200000, 'x'), "text/html");
        });
        server.routes().Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/page");
        });
        server.routes().Get("/drip", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/html", [](size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(200ms);
                return sink.write("x", 1);
            });
        });
        server.routes().Get("/slow", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(2500ms);
            res.set_content("late", "text/plain");
        });
        server.start();
    }

    // Processes events the way a waiting run does, recording every state on the way.
    void runToEnd(const std::string& address)
    {
        transfer.setStateHandler([this](TransferState state) {
            states.push_back(state);
            EXPECT_EQ(std::this_thread::get_id(), uiThread);
        });
        transfer.Execute(address, "get");
        while (transfer.StillExecuting())
            events.processEvents();
    }

    LoopbackServer server;
    EventQueue events;
    CurlTransfer transfer{events, 1s};
    std::vector<TransferState> states;
    std::thread::id uiThread = std::this_thread::get_id();
};

} // namespace

// Successful transfers
TEST_F(CurlTransferTest, DeliversTheBodyAndItsDeclaredType)
{
    runToEnd(server.url("/page"));
    EXPECT_EQ(transfer.failure(), TransferFailure::None);
    EXPECT_EQ(transfer.contentType(), "text/html; charset=UTF-8");
    EXPECT_EQ(transfer.GetChunk(65534), "<p>hello</p>");
    EXPECT_EQ(states.front(), TransferState::Connecting);
    EXPECT_EQ(states.back(), TransferState::ResponseCompleted);
}

TEST_F(CurlTransferTest, StopsAtTheReadSize)
{
    runToEnd(server.url("/long"));
    EXPECT_EQ(transfer.failure(), TransferFailure::None);
    EXPECT_EQ(transfer.GetChunk(65534).size(), 65534u);
}

TEST_F(CurlTransferTest, FollowsRedirects)
{
    runToEnd(server.url("/moved"));
    EXPECT_EQ(transfer.GetChunk(65534), "<p>hello</p>");
}

TEST_F(CurlTransferTest, CanRunAgainAfterItEnded)
{
    runToEnd(server.url("/page"));
    runToEnd(server.url("/moved"));
    EXPECT_EQ(transfer.GetChunk(100), "<p>hello</p>");
}

// Failures
TEST_F(CurlTransferTest, ErrorStatusIsAFailure)
{
    runToEnd(server.url("/missing"));
    EXPECT_EQ(transfer.failure(), TransferFailure::Failed);
    EXPECT_EQ(states.back(), TransferState::Error);
    EXPECT_EQ(transfer.GetChunk(65534), "");
}

TEST_F(CurlTransferTest, RefusedConnectionIsAFailure)
{
    const std::string address = server.url("/page");
    server.stop();
    runToEnd(address);
    EXPECT_EQ(transfer.failure(), TransferFailure::Failed);
}

TEST_F(CurlTransferTest, WordsAroundTheAddressAreRejected)
{
    runToEnd("see " + server.url("/page"));
    EXPECT_EQ(transfer.failure(), TransferFailure::Failed);
}

TEST_F(CurlTransferTest, SilentServerTimesOutAfterTheIdleLimit)
{
    // The server answers after 2.5 s; an idle limit of 1 s must end the wait before that.
    runToEnd(server.url("/slow"));
    EXPECT_EQ(transfer.failure(), TransferFailure::TimedOut);
}

TEST_F(CurlTransferTest, DripFeedEndsAtTheRequestTimeout)
{
    // Bytes keep coming, faster than the idle limit allows for; only the request time-out
    // can end this one.
    CurlTransfer patient(events, 60s);
    patient.setRequestTimeout(2);
    patient.Execute(server.url("/drip"), "get");
    const auto started = std::chrono::steady_clock::now();
    while (patient.StillExecuting())
        events.processEvents();
    EXPECT_EQ(patient.failure(), TransferFailure::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 1900ms);
}

TEST_F(CurlTransferTest, CancelEndsARunningTransfer)
{
    transfer.Execute(server.url("/slow"), "get");
    transfer.cancel();
    while (transfer.StillExecuting())
        events.processEvents();
    EXPECT_EQ(transfer.failure(), TransferFailure::Cancelled);
}

TEST(CurlTransferLifetime, DestroyingARunningTransferIsSafe)
{
    LoopbackServer server;
    server.routes().Get("/slow", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(1500ms);
        res.set_content("late", "text/plain");
    });
    server.start();
    EventQueue events;
    {
        CurlTransfer transfer(events, 5s);
        transfer.Execute(server.url("/slow"), "get");
    }
    // Events the worker posted before it was stopped must find nothing to touch.
    events.processPendingEvents();
}
