#pragma once

#include "platform/win32/WideText.h"
#include "ui/common/win32/ControlSet.h"
#include "ui/common/win32/EventLoop.h"
#include "ui/common/win32/WindowText.h"

#include <chrono>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

// Drives native windows in tests as a user would: by their controls' numbers, through the
// messages the controls themselves send, with the message loop running in between.
namespace corvano::test {

// Handles messages until the condition holds; false when it did not within the time.
inline bool pumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const UINT_PTR tick = ::SetTimer(nullptr, 0, 20, nullptr);
    const auto end = std::chrono::steady_clock::now() + limit;
    bool held = condition();
    while (!held && std::chrono::steady_clock::now() < end) {
        EventLoop::processEvents();
        held = condition();
    }
    ::KillTimer(nullptr, tick); // it kept the wait from blocking past the limit
    return held;
}

inline HWND control(HWND window, int id)
{
    if (const HWND found = findControl(window, id))
        return found;
    throw std::logic_error("no control " + std::to_string(id));
}

inline void click(HWND window, int id)
{
    ::SendMessageW(control(window, id), BM_CLICK, 0, 0);
}

// Through the window's own keyboard handling.
inline void pressKey(HWND window, WPARAM key)
{
    ::SetFocus(window);
    ::PostMessageW(window, WM_KEYDOWN, key, 1);
    ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

inline std::wstring classOf(HWND window)
{
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return name;
}

inline RECT placeOf(HWND control)
{
    RECT place;
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// A mouse message as the system routes it: to the window holding the capture, else to the one
// under the pointer. The point is in the client coordinates of the window given.
inline void sendMouse(HWND window, POINT point, UINT message, WPARAM buttonsHeld)
{
    ::ClientToScreen(window, &point);
    HWND target = ::GetCapture();
    if (!target)
        target = ::WindowFromPoint(point);
    if (!target)
        throw std::logic_error("no window under the pointer");
    ::ScreenToClient(target, &point);
    ::SendMessageW(target, message, buttonsHeld, MAKELPARAM(point.x, point.y));
}

// Runs an action every period on this thread's message loop while it lives. (A timer procedure
// is stdcall, which a lambda converts to only on 64-bit Windows.)
class LoopTimer
{
public:
    LoopTimer(std::chrono::milliseconds period, std::function<void()> action)
        : m_id(::SetTimer(nullptr, 0, static_cast<UINT>(period.count()), &LoopTimer::onTick))
    {
        actions()[m_id] = std::move(action);
    }
    ~LoopTimer()
    {
        ::KillTimer(nullptr, m_id);
        actions().erase(m_id);
    }
    LoopTimer(const LoopTimer&) = delete;
    LoopTimer& operator=(const LoopTimer&) = delete;

private:
    static std::map<UINT_PTR, std::function<void()>>& actions()
    {
        static std::map<UINT_PTR, std::function<void()>> all;
        return all;
    }
    static void CALLBACK onTick(HWND, UINT, UINT_PTR id, DWORD)
    {
        const auto found = actions().find(id);
        if (found != actions().end())
            std::function<void()>(found->second)(); // a copy: the action may end its timer
    }

    UINT_PTR m_id;
};

// Offers every visible window of this thread to the answer, on a timer, while it lives; the
// answer returns true when the rest need not be offered.
class DialogAnswerer
{
public:
    explicit DialogAnswerer(std::function<bool(HWND)> answer)
        : m_answer(std::move(answer)), m_timer(std::chrono::milliseconds(30), [this] {
              ::EnumThreadWindows(::GetCurrentThreadId(), &DialogAnswerer::offer,
                                  reinterpret_cast<LPARAM>(this));
          })
    {}

private:
    static BOOL CALLBACK offer(HWND window, LPARAM self)
    {
        return !::IsWindowVisible(window) ||
               !reinterpret_cast<DialogAnswerer*>(self)->m_answer(window);
    }

    std::function<bool(HWND)> m_answer;
    LoopTimer m_timer;
};

// A message box shows its text in the static control numbered so; other dialogs have none.
inline bool isMessageBox(HWND window)
{
    return classOf(window) == L"#32770" && ::GetDlgItem(window, 0xFFFF);
}

struct ShownBox
{
    std::string title;
    std::string text;
    bool yesNo = false; // it asked, with Yes and No buttons
    std::string note;   // what the answerer's note said while the box was shown
};

// Answers every message box this thread shows with its OK button, or a question with the
// button given, and keeps what each one said.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(int questionAnswer = IDYES, std::function<std::string()> note = {})
        : m_questionAnswer(questionAnswer), m_note(std::move(note))
    {}

    std::vector<ShownBox> take() { return std::exchange(m_boxes, {}); }

private:
    bool answer(HWND box)
    {
        if (!isMessageBox(box))
            return false;
        const bool yesNo = ::GetDlgItem(box, IDYES) && ::GetDlgItem(box, IDNO);
        m_boxes.push_back({WindowText::get(box), WindowText::get(::GetDlgItem(box, 0xFFFF)), yesNo,
                           m_note ? m_note() : ""});
        ::PostMessageW(box, WM_COMMAND, yesNo ? m_questionAnswer : IDOK, 0);
        ::ShowWindow(box, SW_HIDE); // answered once, even if the next tick comes first
        return false;
    }

    int m_questionAnswer;
    std::function<std::string()> m_note;
    std::vector<ShownBox> m_boxes;
    DialogAnswerer m_answerer{[this](HWND box) { return answer(box); }};
};

} // namespace corvano::test
