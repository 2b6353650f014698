#include "Win32MainWindowDriver.h"

#include <algorithm>
#include <commctrl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <objbase.h>

namespace corvano::test {

namespace {

const char* const kPage = R"(<ul class="news"><li><a href="/news/1.html">第一条</a></li>
<li><a href="/about.php">关于</a></li><li><a href="/news/2.html">第二条</a></li></ul>)";

const std::map<std::string, int> kControls = {
    {"Text1", MainControl::Text1},       {"Text2", MainControl::Text2},
    {"Text3", MainControl::Text3},       {"Text4", MainControl::Text4},
    {"Text5", MainControl::Text5},       {"Text6", MainControl::Text6},
    {"Text7", MainControl::Text7},       {"Text8", MainControl::Text8},
    {"Text9", MainControl::Text9},       {"Command1", MainControl::Command1},
    {"Command2", MainControl::Command2}, {"Command3", MainControl::Command3},
    {"Command4", MainControl::Command4}, {"Check1", MainControl::Check1},
    {"Frame3", MainControl::Frame3},     {"Frame5", MainControl::Frame5},
    {"Frame7", MainControl::Frame7},     {"TabStrip1", MainControl::TabStrip1},
};

std::string nameOf(int id)
{
    for (const auto& [name, number] : kControls) {
        if (number == id)
            return name;
    }
    return std::to_string(id);
}

std::string withoutReturns(std::string text)
{
    std::erase(text, '\r');
    return text;
}

// Answers the folder picker ("dialog") once it shows: presses its button with this caption,
// or its close box when the caption is empty.
class PickerAnswerer
{
public:
    explicit PickerAnswerer(std::string button) : m_button(std::move(button))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &PickerAnswerer::onTick);
    }
    ~PickerAnswerer()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    PickerAnswerer(const PickerAnswerer&) = delete;
    PickerAnswerer& operator=(const PickerAnswerer&) = delete;

    bool answered() const { return m_answered; }

private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &PickerAnswerer::answer, 0);
    }
    static BOOL CALLBACK answer(HWND window, LPARAM)
    {
        wchar_t className[16] = {};
        ::GetClassNameW(window, className, 16);
        if (!s_current || s_current->m_answered || std::wstring(className) != L"dialog" ||
            !::IsWindowVisible(window))
            return TRUE;
        if (s_current->m_button.empty())
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        else
            ::EnumChildWindows(window, &PickerAnswerer::press, 0);
        s_current->m_answered = true;
        return FALSE;
    }
    static BOOL CALLBACK press(HWND child, LPARAM)
    {
        if (WindowText::get(child) != s_current->m_button)
            return TRUE;
        ::PostMessageW(child, BM_CLICK, 0, 0);
        return FALSE;
    }

    static inline PickerAnswerer* s_current = nullptr;
    std::string m_button;
    UINT_PTR m_timer = 0;
    bool m_answered = false;
};

// The actions waiting for their timers. A timer procedure is stdcall, which a lambda converts
// to only on 64-bit Windows, so one plain function runs them all.
std::map<UINT_PTR, std::function<void()>>& pendingActions()
{
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK runPendingAction(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    const auto action = pendingActions().extract(timer);
    if (!action.empty())
        action.mapped()();
}

} // namespace

Win32MainWindowDriver::Win32MainWindowDriver()
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_server.serve("/list.html", kPage);
    m_server.serve("/hold.html", kPage, std::chrono::seconds(30));
    m_server.serve("/lists.html", R"(<p class="menu"><a href="/">首页</a> <a href="/a/">关于</a></p>
<ol class="文章"><li><a href="/p/1.html">春</a></li><li><a href="/p/2.html">夏</a></li>
<li><a href="/p/3.html">秋</a></li><li><a href="/p/4.html">冬</a></li></ol>)");
    m_server.serve("/plain.html", R"(<p><a href="/a.html">A</a> <a href="/b.html">B</a></p>)");
    answerQuestionsWith(true);
}

void Win32MainWindowDriver::open(bool forARun)
{
    m_window.reset();
    m_window = std::make_unique<MainWindow>(
        MainWindow::Options{ProgramLocations::portable(m_program.path()), std::chrono::seconds(5),
                            [this] { ++m_closings; }});
    m_window->show();
    const std::string texts[] = {url("/list.html"),
                                 m_target.path() + "\\",
                                 "[InternetShortcut]\r\nURL=",
                                 R"(<ul class="news">)",
                                 "</ul>",
                                 ".html",
                                 "/news/",
                                 url("/news/")};
    for (const Field field : kFields) {
        if (forARun)
            type(field, texts[textNumber(field) - 1]);
    }
}

void Win32MainWindowDriver::close()
{
    const HWND window = hwnd();
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    pumpUntil([window] { return !::IsWindow(window); }, std::chrono::seconds(2));
}

std::string Win32MainWindowDriver::read(const std::string& name) const
{
    std::ifstream in(std::filesystem::path(WideText::fromUtf8(m_target.file(name))),
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Win32MainWindowDriver::makeFolder(const std::string& name)
{
    ::CreateDirectoryW(WideText::fromUtf8(m_target.file(name)).c_str(), nullptr);
}

void Win32MainWindowDriver::type(Field field, const std::string& text)
{
    typeInto(hwnd(), MainControl::text(textNumber(field)), text);
}

std::string Win32MainWindowDriver::linkList() const
{
    return withoutReturns(textOf(hwnd(), MainControl::Text9));
}

bool Win32MainWindowDriver::isChecked() const
{
    return ::SendMessageW(the(MainControl::Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32MainWindowDriver::press(const std::string& control)
{
    click(hwnd(), kControls.at(control));
}

// A click on the tab, where the user would click it.
void Win32MainWindowDriver::clickTab(int position)
{
    RECT tab{};
    ::SendMessageW(the(MainControl::TabStrip1), TCM_GETITEMRECT, static_cast<WPARAM>(position - 1),
                   reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageW(the(MainControl::TabStrip1), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(the(MainControl::TabStrip1), WM_LBUTTONUP, 0, at);
}

void Win32MainWindowDriver::renameTab(int position, const std::string& caption)
{
    std::wstring text = WideText::fromUtf8(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    ::SendMessageW(the(MainControl::TabStrip1), TCM_SETITEMW, static_cast<WPARAM>(position - 1),
                   reinterpret_cast<LPARAM>(&item));
}

int Win32MainWindowDriver::selectedTab() const
{
    return static_cast<int>(::SendMessageW(the(MainControl::TabStrip1), TCM_GETCURSEL, 0, 0)) + 1;
}

// The one page shown; two at once would be a fault.
std::string Win32MainWindowDriver::page() const
{
    std::string shown;
    for (const int frame : {MainControl::Frame3, MainControl::Frame5, MainControl::Frame7}) {
        if (isShown(hwnd(), frame))
            shown = shown.empty() ? nameOf(frame) : "more than one";
    }
    return shown;
}

std::string Win32MainWindowDriver::focused() const
{
    return nameOf(::GetDlgCtrlID(::GetFocus()));
}

void Win32MainWindowDriver::answerQuestionsWith(bool yes)
{
    m_boxes.reset();
    m_boxes.emplace(yes ? IDYES : IDNO, [this] {
        return m_window && ::IsWindow(hwnd()) ? m_window->caption(StatusLabel::Label3) : "";
    });
}

std::vector<ShownMessage> Win32MainWindowDriver::takeMessages()
{
    std::vector<ShownMessage> messages;
    for (const ShownBox& box : m_boxes->take())
        messages.push_back({box.title, withoutReturns(box.text), box.yesNo, box.note});
    return messages;
}

void Win32MainWindowDriver::browse(const std::string& answer)
{
    PickerAnswerer picker(answer);
    click(hwnd(), MainControl::Command2);
    EXPECT_TRUE(picker.answered()) << answer;
}

std::vector<std::string> Win32MainWindowDriver::saveListAs(const std::string& path)
{
    FileDialogAnswerer dialog(path);
    click(hwnd(), MainControl::Command1);
    return dialog.types();
}

void Win32MainWindowDriver::later(std::chrono::milliseconds delay, std::function<void()> action)
{
    const UINT_PTR timer =
        ::SetTimer(nullptr, 0, static_cast<UINT>(delay.count()), &runPendingAction);
    pendingActions()[timer] = std::move(action);
}

void Win32MainWindowDriver::wait(std::chrono::milliseconds time)
{
    pumpUntil([] { return false; }, time);
}

std::unique_ptr<MainWindowDriver> makeMainWindowDriver()
{
    return std::make_unique<Win32MainWindowDriver>();
}

} // namespace corvano::test
