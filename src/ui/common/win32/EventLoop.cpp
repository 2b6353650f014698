#include "EventLoop.h"

namespace corvano::EventLoop {

namespace {

void dispatch(MSG& message)
{
    const HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && ::IsDialogMessageW(root, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

} // namespace

void processEvents()
{
    MSG message;
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
        ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void runUntil(const bool& finished)
{
    MSG message;
    while (!finished && ::GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
}

} // namespace corvano::EventLoop
