#include "ThreadedTransfer.h"

#include <stdexcept>

namespace corvano {

ThreadedTransfer::ThreadedTransfer(EventPoster& poster, std::chrono::seconds idleLimit,
                                   Driver driver)
    : m_poster(poster), m_driver(std::move(driver)),
      m_alive(std::make_shared<ThreadedTransfer*>(this)), m_control(m_driver.newControl())
{
    m_settings.idleSeconds = static_cast<long>(idleLimit.count());
}

ThreadedTransfer::~ThreadedTransfer()
{
    m_control->cancel();
    if (m_thread.joinable())
        m_thread.join();
}

void ThreadedTransfer::setAccessType(AccessType accessType)
{
    m_settings.direct = accessType == AccessType::Direct;
}

void ThreadedTransfer::setRequestTimeout(int seconds)
{
    m_settings.requestTimeout = seconds;
}

void ThreadedTransfer::setRemotePort(int port)
{
    m_settings.remotePort = port;
}

void ThreadedTransfer::post(std::function<void(ThreadedTransfer&)> event)
{
    std::weak_ptr<ThreadedTransfer*> alive = m_alive;
    m_poster.post([alive, event = std::move(event)] {
        if (const auto self = alive.lock())
            event(**self);
    });
}

void ThreadedTransfer::Execute(const std::string& address, const std::string& operation)
{
    if (operation != "get")
        throw std::invalid_argument("only the operation \"get\" is supported");
    if (m_executing)
        throw std::logic_error("a transfer is already running");
    if (m_thread.joinable())
        m_thread.join();
    m_executing = true;
    m_result = Result{};
    m_control = m_driver.newControl();
    Request request = m_settings;
    request.address = address;
    auto onState = [this](TransferState state) {
        post([state](ThreadedTransfer& self) {
            if (self.m_executing)
                self.notify(state);
        });
    };
    m_thread = std::jthread([this, run = m_driver.run, request, control = m_control, onState] {
        Result result = run(request, control, onState);
        post([result = std::move(result)](ThreadedTransfer& self) mutable {
            self.finish(std::move(result));
        });
    });
}

void ThreadedTransfer::finish(Result result)
{
    m_result = std::move(result);
    m_executing = false;
    notify(m_result.failure == TransferFailure::None ? TransferState::ResponseCompleted
                                                     : TransferState::Error);
}

std::string ThreadedTransfer::GetChunk(std::size_t size)
{
    std::string chunk = m_result.body.substr(0, size);
    m_result.body.clear();
    return chunk;
}

void ThreadedTransfer::cancel()
{
    m_control->cancel();
}

} // namespace corvano
