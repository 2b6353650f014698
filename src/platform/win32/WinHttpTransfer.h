#pragma once

#include "platform/EventPoster.h"
#include "platform/Transfer.h"

#include <chrono>
#include <memory>
#include <thread>

namespace corvano {

// The HTTP GET on Windows, through WinHTTP in its asynchronous mode. A worker thread starts
// each step and blocks on the events that WinHTTP's completions and a cancel set, never
// polling; progress and the result reach the caller as events posted to its thread, as the
// transfer on libcurl does.
class WinHttpTransfer : public Transfer
{
public:
    static constexpr std::chrono::seconds kDefaultIdleLimit{60};
    static constexpr int kMaxRedirects = 10;

    explicit WinHttpTransfer(EventPoster& poster,
                             std::chrono::seconds idleLimit = kDefaultIdleLimit);
    ~WinHttpTransfer() override;
    WinHttpTransfer(const WinHttpTransfer&) = delete;
    WinHttpTransfer& operator=(const WinHttpTransfer&) = delete;

    bool StillExecuting() const override { return m_executing; }
    void setAccessType(AccessType accessType) override;
    void setProtocol(Protocol) override {}
    void setRequestTimeout(int seconds) override;
    void setRemotePort(int port) override;
    void Execute(const std::string& address, const std::string& operation) override;
    std::string GetChunk(std::size_t size) override;
    std::string contentType() const override { return m_result.contentType; }
    std::string effectiveUrl() const override { return m_result.effectiveUrl; }
    TransferFailure failure() const override { return m_result.failure; }
    std::string failureText() const override { return m_result.failureText; }
    void cancel() override;

    struct Result
    {
        std::string body;
        std::string contentType;
        std::string effectiveUrl; // after any redirects
        TransferFailure failure = TransferFailure::None;
        std::string failureText;
    };

    struct Request
    {
        std::string address;
        bool direct = false;
        long requestTimeout = 5000;
        long remotePort = 80;
        long idleSeconds = 60;
    };

    class Control;

private:
    class Worker;

    void post(std::function<void(WinHttpTransfer&)> event);
    void finish(Result result);

    EventPoster& m_poster;
    Request m_settings;
    bool m_executing = false;
    Result m_result;
    std::shared_ptr<WinHttpTransfer*> m_alive;
    std::shared_ptr<Control> m_control;
    std::jthread m_thread;
};

} // namespace corvano
