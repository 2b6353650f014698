#include "Win32EventPoster.h"

#include <memory>

namespace corvano {

namespace {

constexpr UINT kEventMessage = WM_APP + 1;

std::unique_ptr<std::function<void()>> eventOf(LPARAM lParam)
{
    return std::unique_ptr<std::function<void()>>(reinterpret_cast<std::function<void()>*>(lParam));
}

} // namespace

Win32EventPoster::Win32EventPoster()
{
    create(
        {.className = L"CorvanoEvents", .style = 0, .parent = HWND_MESSAGE, .background = nullptr});
}

Win32EventPoster::~Win32EventPoster()
{
    // What is still queued owns its event; the system would drop the messages with the window.
    MSG message;
    while (::PeekMessageW(&message, handle(), kEventMessage, kEventMessage, PM_REMOVE))
        eventOf(message.lParam);
    destroy();
}

void Win32EventPoster::post(std::function<void()> event)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(event));
    if (::PostMessageW(handle(), kEventMessage, 0, reinterpret_cast<LPARAM>(owned.get())))
        owned.release();
}

LRESULT Win32EventPoster::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kEventMessage)
        return Window::handleMessage(message, wParam, lParam);
    const auto event = eventOf(lParam);
    (*event)();
    return 0;
}

} // namespace corvano
