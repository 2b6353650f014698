#pragma once

#include "EventPoster.h"
#include "Transfer.h"

#include <chrono>
#include <memory>
#include <thread>

namespace corvano {

// The HTTP GET on libcurl. The request runs on a worker thread; its progress and its result
// reach the caller only as events posted to the user-interface thread.
class CurlTransfer : public Transfer
{
public:
    static constexpr std::chrono::seconds kDefaultIdleLimit{60};

    explicit CurlTransfer(EventPoster& poster, std::chrono::seconds idleLimit = kDefaultIdleLimit);
    ~CurlTransfer() override;
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

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

    // What one request produced; built on the worker, handed over in the final event.
    struct Result
    {
        std::string body;
        std::string contentType;
        std::string effectiveUrl;
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

private:
    class Worker;
    class Control;

    void post(std::function<void(CurlTransfer&)> event);
    void finish(Result result);

    EventPoster& m_poster;
    Request m_settings;
    bool m_executing = false;
    Result m_result;
    // Events posted by a worker check this token, so none runs after the transfer is gone.
    std::shared_ptr<CurlTransfer*> m_alive;
    std::shared_ptr<Control> m_control;
    std::jthread m_thread;
};

} // namespace corvano
