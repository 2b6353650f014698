#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace corvano {

// The state numbers a transfer reports, as the classic transfer control numbers them.
enum class TransferState
{
    None = 0,
    Connecting = 3,
    ReceivingResponse = 7,
    Error = 11,
    ResponseCompleted = 12,
};

// How a transfer reaches the server, numbered as the classic control numbers them.
enum class AccessType
{
    Preconfig = 0, // the system's connection settings (the proxy variables)
    Direct = 1,
};

// The protocol a transfer speaks; HTTP is the only one.
enum class Protocol
{
    Http = 4,
};

enum class TransferFailure
{
    None,
    TimedOut,
    Failed,
    Cancelled
};

// One HTTP GET at a time. Everything the caller sees changes only on the user-interface
// thread, when an event posted by the transfer is processed there.
class Transfer
{
public:
    using StateHandler = std::function<void(TransferState)>;

    // The most body bytes a page is read with; a transfer keeps no more than this.
    static constexpr std::size_t kReadSize = 65534;

    virtual ~Transfer() = default;

    // True from Execute until the event that ends the transfer has been processed.
    virtual bool StillExecuting() const = 0;
    virtual void setAccessType(AccessType accessType) = 0;
    virtual void setProtocol(Protocol protocol) = 0;
    virtual void setRequestTimeout(int seconds) = 0;
    virtual void setRemotePort(int port) = 0;
    // Starts the request and returns at once.
    virtual void Execute(const std::string& address, const std::string& operation) = 0;
    // The first `size` bytes of the body received (the rest is dropped).
    virtual std::string GetChunk(std::size_t size) = 0;
    // The Content-Type the response declared, or empty.
    virtual std::string contentType() const = 0;
    // The address the response came from, after any redirects; empty when none came.
    virtual std::string effectiveUrl() const = 0;
    virtual TransferFailure failure() const = 0;
    virtual std::string failureText() const = 0;
    // Stops a running transfer; it then ends as cancelled.
    virtual void cancel() = 0;

    void setStateHandler(StateHandler handler) { m_stateHandler = std::move(handler); }

protected:
    void notify(TransferState state)
    {
        if (m_stateHandler)
            m_stateHandler(state);
    }

private:
    StateHandler m_stateHandler;
};

} // namespace corvano
