#include "ExitCode.h"
#include "GenerateCommand.h"
#include "LoopbackServer.h"
#include "RawServer.h"
#include "TemporaryFolder.h"
#include "platform/LocalFileSystem.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

const std::string kLink = "<a href=\"/a.html\">A</a>";

// Sleeps in small steps so the server can end the handler when the test is over.
void waitOrStop(std::chrono::milliseconds time, const std::atomic_bool& stopping)
{
    for (auto left = time; left > 0ms && !stopping; left -= 10ms)
        std::this_thread::sleep_for(10ms);
}

// Each test runs corvano-cli's run against one misbehaving server with an idle limit of
// 1 s, then checks that a second run against a good server still works.
class HostileServerTest : public ::testing::Test
{
protected:
    HostileServerTest()
    {
        options.texts[1] = target.prefix();
        options.texts[2] = "URL=";
        options.texts[5] = ".html";
        options.settingsFile = settings.file("db.dat");
        options.idleLimit = 1s;
    }

    int run(const std::string& address)
    {
        options.texts[0] = address;
        std::ostringstream out;
        std::ostringstream err;
        return GenerateCommand(out, err, false, files).execute(options);
    }

    void expectAddressErrorAndNoFile(const std::string& address)
    {
        EXPECT_EQ(run(address), static_cast<int>(ExitCode::AddressError));
        EXPECT_TRUE(std::filesystem::is_empty(target.path()));
        expectUsableAfterwards();
    }

    void expectUsableAfterwards()
    {
        LoopbackServer good;
        good.routes().Get("/", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(kLink, "text/html");
        });
        good.start();
        EXPECT_EQ(run(good.url("/")), 0);
        EXPECT_TRUE(std::filesystem::exists(target.path() / "A.url"));
    }

    TemporaryFolder target;
    TemporaryFolder settings;
    LocalFileSystem files;
    CliOptions options;
};

} // namespace

TEST_F(HostileServerTest, EndlessBodyIsCutAtTheReadSize)
{
    LoopbackServer server;
    server.routes().Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/html", [](size_t, httplib::DataSink& sink) {
            return sink.write(kLink.data(), kLink.size());
        });
    });
    server.start();
    EXPECT_EQ(run(server.url("/")), 0);
    EXPECT_EQ(target.read("A.url"), "URL=/a.html\r\n");
}

TEST_F(HostileServerTest, RedirectLoopIsAnAddressError)
{
    LoopbackServer server;
    server.routes().Get(
        "/", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/"); });
    server.start();
    expectAddressErrorAndNoFile(server.url("/"));
}

TEST_F(HostileServerTest, GarbageInsteadOfHttpIsAnAddressError)
{
    RawServer server([](int socket, const std::atomic_bool&) {
        RawServer::readRequest(socket);
        RawServer::send(socket, "\x01\x02 this is not HTTP\r\n\r\n" + kLink);
    });
    expectAddressErrorAndNoFile(server.url("/"));
}

TEST_F(HostileServerTest, HugeHeaderIsAnAddressError)
{
    RawServer server([](int socket, const std::atomic_bool&) {
        RawServer::readRequest(socket);
        RawServer::send(socket, "HTTP/1.1 200 OK\r\nX-Big: " + std::string(1 << 20, 'x') +
                                    "\r\nContent-Length: 23\r\n\r\n" + kLink);
    });
    expectAddressErrorAndNoFile(server.url("/"));
}

TEST_F(HostileServerTest, ResetInTheMiddleOfTheBodyIsAnAddressError)
{
    RawServer server([](int socket, const std::atomic_bool&) {
        RawServer::readRequest(socket);
        RawServer::send(socket, "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + kLink);
        std::this_thread::sleep_for(50ms);
        RawServer::reset(socket);
    });
    expectAddressErrorAndNoFile(server.url("/"));
}

TEST_F(HostileServerTest, ServerThatNeverAnswersTimesOut)
{
    RawServer server([](int socket, const std::atomic_bool& stopping) {
        RawServer::readRequest(socket);
        waitOrStop(10s, stopping);
    });
    expectAddressErrorAndNoFile(server.url("/"));
}

TEST_F(HostileServerTest, HeadersWithoutABodyTimeOut)
{
    RawServer server([](int socket, const std::atomic_bool& stopping) {
        RawServer::readRequest(socket);
        RawServer::send(socket, "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n");
        waitOrStop(10s, stopping);
    });
    expectAddressErrorAndNoFile(server.url("/"));
}
