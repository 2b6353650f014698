#pragma once

#include "platform/Transfer.h"

#include <string>
#include <vector>

namespace corvano::test {

// A transfer the test drives by hand: Execute only records; complete() or fail() end it,
// as the event that ends a real transfer would.
class FakeTransfer : public Transfer
{
public:
    std::vector<std::string> calls;
    std::string body;
    std::string declaredType;
    bool executing = false;

    bool StillExecuting() const override { return executing; }
    void setAccessType(int v) override { calls.push_back("AccessType " + std::to_string(v)); }
    void setProtocol(int v) override { calls.push_back("Protocol " + std::to_string(v)); }
    void setRequestTimeout(int v) override
    {
        calls.push_back("RequestTimeout " + std::to_string(v));
    }
    void setRemotePort(int v) override { calls.push_back("RemotePort " + std::to_string(v)); }
    void Execute(const std::string& address, const std::string& operation) override
    {
        calls.push_back("Execute " + address + " " + operation);
        executing = true;
        m_failure = TransferFailure::None;
    }
    std::string GetChunk(std::size_t size) override { return body.substr(0, size); }
    std::string contentType() const override { return declaredType; }
    TransferFailure failure() const override { return m_failure; }
    std::string failureText() const override { return "fake failure"; }
    void cancel() override { fail(TransferFailure::Cancelled); }

    void complete()
    {
        executing = false;
        notify(TransferState::ResponseCompleted);
    }
    void fail(TransferFailure failure)
    {
        executing = false;
        m_failure = failure;
        notify(TransferState::Error);
    }

private:
    TransferFailure m_failure = TransferFailure::None;
};

} // namespace corvano::test
