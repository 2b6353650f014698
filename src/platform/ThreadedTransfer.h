#pragma once

#include "EventPoster.h"
#include "Transfer.h"

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace corvano {

// A transfer whose request runs on a worker thread: its progress and its result reach the
// caller only as events posted to the user-interface thread. The system's HTTP client
// supplies the request itself (a Driver); everything the caller sees lives here.
class ThreadedTransfer : public Transfer
{
public:
    static constexpr std::chrono::seconds kDefaultIdleLimit{60};

    // What one request produced; built on the worker, handed over in the final event.
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

    // What the user-interface thread and the worker share: a cancel that wakes the worker's
    // wait at once, so cancelling never waits for a time-out.
    class Control
    {
    public:
        virtual ~Control() = default;
        virtual void cancel() = 0;
    };

    // The HTTP client's side: a fresh control for each request, and the request itself, run
    // on the worker thread. Neither may refer to the transfer object.
    struct Driver
    {
        using StateReport = std::function<void(TransferState)>;
        std::function<std::shared_ptr<Control>()> newControl;
        std::function<Result(const Request&, std::shared_ptr<Control>, StateReport)> run;
    };

    ~ThreadedTransfer() override;
    ThreadedTransfer(const ThreadedTransfer&) = delete;
    ThreadedTransfer& operator=(const ThreadedTransfer&) = delete;

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

protected:
    ThreadedTransfer(EventPoster& poster, std::chrono::seconds idleLimit, Driver driver);

    // The driver of an HTTP client whose Worker(request, control, onState).run() performs one
    // request with a WorkerControl of its own.
    template <class Worker, class WorkerControl> static Driver driverOf()
    {
        return {[] { return std::make_shared<WorkerControl>(); },
                [](const Request& request, std::shared_ptr<Control> control,
                   Driver::StateReport onState) {
                    return Worker(request,
                                  std::static_pointer_cast<WorkerControl>(std::move(control)),
                                  std::move(onState))
                        .run();
                }};
    }

private:
    void post(std::function<void(ThreadedTransfer&)> event);
    void finish(Result result);

    EventPoster& m_poster;
    Driver m_driver;
    Request m_settings;
    bool m_executing = false;
    Result m_result;
    // Events posted by a worker check this token, so none runs after the transfer is gone.
    std::shared_ptr<ThreadedTransfer*> m_alive;
    std::shared_ptr<Control> m_control;
    std::jthread m_thread;
};

} // namespace corvano
