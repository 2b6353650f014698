#pragma once

#include "platform/Transfer.h"

#include <string>
#include <vector>

namespace corvano::test {

// A transfer driven by hand: Execute only records; end() finishes it as a real one ends.
class FakeTransfer : public Transfer
{
public:
    std::vector<std::string> executed; // "address operation", one per Execute
    std::string body;
    std::string redirectedTo; // empty: the response came from the address executed
    bool executing = false;

    bool StillExecuting() const override { return executing; }
    void setAccessType(AccessType) override {}
    void setProtocol(Protocol) override {}
    void setRequestTimeout(int) override {}
    void setRemotePort(int) override {}
    void Execute(const std::string& address, const std::string& operation) override
    {
        executed.push_back(address + " " + operation);
        m_address = address;
        executing = true;
    }
    std::string GetChunk(std::size_t size) override { return body.substr(0, size); }
    std::string contentType() const override { return ""; }
    std::string effectiveUrl() const override
    {
        return redirectedTo.empty() ? m_address : redirectedTo;
    }
    TransferFailure failure() const override { return m_failure; }
    std::string failureText() const override { return "fake failure"; }
    void cancel() override { end(TransferFailure::Cancelled); }

    void end(TransferFailure failure = TransferFailure::None)
    {
        executing = false;
        m_failure = failure;
        notify(failure == TransferFailure::None ? TransferState::ResponseCompleted
                                                : TransferState::Error);
    }

private:
    TransferFailure m_failure = TransferFailure::None;
    std::string m_address;
};

} // namespace corvano::test
