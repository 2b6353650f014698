#pragma once

#include "platform/win32/WideText.h"
#include "ui/common/win32/ControlSet.h"
#include "ui/common/win32/EventLoop.h"
#include "ui/common/win32/WindowText.h"

#include <chrono>
#include <dlgs.h>
#include <functional>
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
    // A timer keeps the wait from blocking past the limit when nothing else arrives.
    const UINT_PTR tick = ::SetTimer(nullptr, 0, 20, nullptr);
    const auto end = std::chrono::steady_clock::now() + limit;
    bool held = condition();
    while (!held && std::chrono::steady_clock::now() < end) {
        EventLoop::processEvents();
        held = condition();
    }
    ::KillTimer(nullptr, tick);
    return held;
}

inline HWND control(HWND window, int id)
{
    if (const HWND found = findControl(window, id))
        return found;
    throw std::logic_error("no control " + std::to_string(id));
}

inline std::string textOf(HWND window, int id)
{
    return WindowText::get(control(window, id));
}

// Types into a text box as the user would: the box's text changes and it tells its parent.
inline void typeInto(HWND window, int id, const std::string& text)
{
    WindowText::set(control(window, id), text);
}

inline void click(HWND window, int id)
{
    ::SendMessageW(control(window, id), BM_CLICK, 0, 0);
}

inline bool isShown(HWND window, int id)
{
    return ::IsWindowVisible(control(window, id)) != 0;
}

// The mouse as the system drives it: a press goes to the window under the pointer, and while a
// window holds the capture every move and release goes to that window. Points are given in the
// client coordinates of a window, taken where that window stands at the moment.
class Mouse
{
public:
    enum class Button
    {
        Left,
        Right,
        Middle
    };

    void press(HWND window, POINT point, Button button)
    {
        static constexpr UINT kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        m_held |= keyOf(button);
        send(window, point, kDown[static_cast<int>(button)]);
    }
    void move(HWND window, POINT point) { send(window, point, WM_MOUSEMOVE); }
    void release(HWND window, POINT point, Button button)
    {
        static constexpr UINT kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        m_held &= ~keyOf(button);
        send(window, point, kUp[static_cast<int>(button)]);
    }
    void click(HWND window, POINT point, Button button = Button::Left)
    {
        press(window, point, button);
        release(window, point, button);
    }
    void drag(HWND window, POINT from, POINT to, Button button)
    {
        press(window, from, button);
        move(window, to);
        release(window, to, button);
    }

private:
    static WPARAM keyOf(Button button)
    {
        static constexpr WPARAM kKeys[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
        return kKeys[static_cast<int>(button)];
    }

    void send(HWND window, POINT point, UINT message) const
    {
        ::ClientToScreen(window, &point);
        HWND target = ::GetCapture();
        if (!target)
            target = ::WindowFromPoint(point);
        if (!target)
            throw std::logic_error("no window under the pointer");
        ::ScreenToClient(target, &point);
        ::SendMessageW(target, message, m_held, MAKELPARAM(point.x, point.y));
    }

    WPARAM m_held = 0;
};

// A visible dialog of the system's: a message box, a file dialog.
inline bool isDialog(HWND window)
{
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770" && ::IsWindowVisible(window);
}

// A message box shows its text in the static control numbered so; other dialogs have none.
inline constexpr int kMessageText = 0xFFFF;

// A message box as it was shown.
struct ShownBox
{
    std::string title;
    std::string text;
    bool yesNo = false; // it asked, with Yes and No buttons
    std::string note;   // what the answerer's note said while the box was shown
};

// Answers every message box this thread shows with its OK button, or a question with the
// button given, and keeps what each one said. Only one answerer may exist at a time.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(int questionAnswer = IDYES, std::function<std::string()> note = {})
        : m_questionAnswer(questionAnswer), m_note(std::move(note))
    {
        if (s_current)
            throw std::logic_error("one BoxAnswerer at a time");
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &BoxAnswerer::onTick);
    }
    ~BoxAnswerer()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    const std::vector<ShownBox>& boxes() const { return m_boxes; }
    std::vector<ShownBox> take() { return std::exchange(m_boxes, {}); }

private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &BoxAnswerer::answer, 0);
    }

    static BOOL CALLBACK answer(HWND window, LPARAM)
    {
        if (!s_current || !isDialog(window) || !::GetDlgItem(window, kMessageText))
            return TRUE;
        const bool yesNo = ::GetDlgItem(window, IDYES) && ::GetDlgItem(window, IDNO);
        s_current->m_boxes.push_back({WindowText::get(window),
                                      WindowText::get(::GetDlgItem(window, kMessageText)), yesNo,
                                      s_current->m_note ? s_current->m_note() : ""});
        ::PostMessageW(window, WM_COMMAND, yesNo ? s_current->m_questionAnswer : IDOK, 0);
        ::ShowWindow(window, SW_HIDE); // answered once, even if the next tick comes first
        return TRUE;
    }

    static inline BoxAnswerer* s_current = nullptr;
    int m_questionAnswer;
    std::function<std::string()> m_note;
    UINT_PTR m_timer = 0;
    std::vector<ShownBox> m_boxes;
};

// Answers the first file dialog this thread shows (a dialog that is not a message box): types
// the file name into it and presses its OK button. Only one answerer may exist at a time.
class FileDialogAnswerer
{
public:
    explicit FileDialogAnswerer(std::string fileName) : m_fileName(std::move(fileName))
    {
        if (s_current)
            throw std::logic_error("one FileDialogAnswerer at a time");
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &FileDialogAnswerer::onTick);
    }
    ~FileDialogAnswerer()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    // The title of the dialog answered; empty while none has been.
    const std::string& title() const { return m_title; }
    // The file types the dialog offered, as its list shows them.
    const std::vector<std::string>& types() const { return m_types; }

private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &FileDialogAnswerer::answer, 0);
    }

    static BOOL CALLBACK answer(HWND window, LPARAM)
    {
        if (!s_current || !s_current->m_title.empty() || !isDialog(window) ||
            ::GetDlgItem(window, kMessageText))
            return TRUE;
        // The file name box is a combo box (cmb13) or, in older dialogs, an edit (edt1).
        HWND name = ::GetDlgItem(window, cmb13);
        if (!name)
            name = ::GetDlgItem(window, edt1);
        if (!name)
            return TRUE; // not made yet
        const HWND types = ::GetDlgItem(window, cmb1);
        const auto count = ::SendMessageW(types, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring type(static_cast<std::size_t>(::SendMessageW(types, CB_GETLBTEXTLEN,
                                                                      static_cast<WPARAM>(i), 0)),
                              L'\0');
            ::SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(type.data()));
            s_current->m_types.push_back(WideText::toUtf8(type));
        }
        s_current->m_title = WindowText::get(window);
        WindowText::set(name, s_current->m_fileName);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }

    static inline FileDialogAnswerer* s_current = nullptr;
    UINT_PTR m_timer = 0;
    std::string m_fileName;
    std::string m_title;
    std::vector<std::string> m_types;
};

} // namespace corvano::test
