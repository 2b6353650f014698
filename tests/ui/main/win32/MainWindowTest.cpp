// The native main window's driver for the shared scenarios, and what only it can show: the
// resolution it follows, the keys a dialog's edit boxes send.
#include "ui/main/win32/MainWindow.h"

#include "../MainWindowDriver.h"
#include "WideTemporaryFolder.h"
#include "WindowDriver.h"
#include "ui/main/MainWindowLayout.h"

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <objbase.h>
#include <optional>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;
namespace Layout = corvano::MainWindowLayout;

namespace {

const std::map<std::string, int> kControls = {
    {"Text2", MainControl::Text2},       {"Text3", MainControl::Text3},
    {"Text4", MainControl::Text4},       {"Command1", MainControl::Command1},
    {"Command2", MainControl::Command2}, {"Command3", MainControl::Command3},
    {"Command4", MainControl::Command4}, {"Check1", MainControl::Check1},
    {"Frame3", MainControl::Frame3},     {"Frame5", MainControl::Frame5},
    {"Frame7", MainControl::Frame7},
};

class Win32MainWindowDriver : public MainWindowDriver
{
public:
    Win32MainWindowDriver()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&controls);
        answerQuestionsWith(true);
    }

    void open() override
    {
        m_window.reset();
        m_window = std::make_unique<MainWindow>(
            MainWindow::Options{ProgramLocations::portable(m_program.path()),
                                std::chrono::seconds(5), [this] { ++m_closings; }});
        m_window->show();
    }
    void close() override
    {
        const HWND window = hwnd();
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        pumpUntil([window] { return !::IsWindow(window); }, std::chrono::seconds(2));
    }
    std::string targetFile(const std::string& name) const override { return m_target.file(name); }
    void type(Field field, const std::string& text) override
    {
        WindowText::set(the(MainControl::text(textNumber(field))), text);
    }
    std::string text(Field field) const override { return m_window->text(field); }
    std::string linkList() const override
    {
        return withoutReturns(WindowText::get(the(MainControl::Text9)));
    }
    std::string caption(StatusLabel label) const override { return m_window->caption(label); }
    bool isChecked() const override
    {
        return ::SendMessageW(the(MainControl::Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void press(const std::string& control) override { click(hwnd(), kControls.at(control)); }
    void clickTab(int position) override
    {
        RECT tab{};
        ::SendMessageW(the(MainControl::TabStrip1), TCM_GETITEMRECT,
                       static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&tab));
        const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        ::SendMessageW(the(MainControl::TabStrip1), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(the(MainControl::TabStrip1), WM_LBUTTONUP, 0, at);
    }
    void renameTab(int position, const std::string& caption) override
    {
        std::wstring text = WideText::fromUtf8(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        ::SendMessageW(the(MainControl::TabStrip1), TCM_SETITEMW, static_cast<WPARAM>(position - 1),
                       reinterpret_cast<LPARAM>(&item));
    }
    int selectedTab() const override
    {
        return static_cast<int>(::SendMessageW(the(MainControl::TabStrip1), TCM_GETCURSEL, 0, 0)) +
               1;
    }
    bool isVisible(const std::string& control) const override
    {
        return ::IsWindowVisible(the(kControls.at(control)));
    }
    std::string focused() const override
    {
        const int id = ::GetDlgCtrlID(::GetFocus());
        for (const auto& [name, number] : kControls) {
            if (number == id)
                return name;
        }
        return std::to_string(id);
    }
    void answerQuestionsWith(bool yes) override
    {
        m_boxes.reset();
        m_boxes.emplace(yes ? IDYES : IDNO, [this] {
            return m_window && ::IsWindow(hwnd()) ? m_window->caption(StatusLabel::Label3) : "";
        });
    }
    std::vector<ShownMessage> takeMessages() override
    {
        std::vector<ShownMessage> messages;
        for (const ShownBox& box : m_boxes->take())
            messages.push_back({box.title, withoutReturns(box.text), box.yesNo, box.note});
        return messages;
    }
    // The picker is the one window of its class "dialog": its close box, or a button pressed.
    void browse(const std::string& answer) override
    {
        bool answered = false;
        const DialogAnswerer picker([&](HWND dialog) {
            if (answered || classOf(dialog) != L"dialog")
                return false;
            if (answer.empty())
                ::PostMessageW(dialog, WM_CLOSE, 0, 0);
            else
                ::PostMessageW(
                    ::FindWindowExW(dialog, nullptr, L"Button", WideText::fromUtf8(answer).c_str()),
                    BM_CLICK, 0, 0);
            return answered = true;
        });
        click(hwnd(), MainControl::Command2);
        EXPECT_TRUE(answered) << answer;
    }
    // The file name box is a combo box (cmb13) or, in older dialogs, an edit (edt1).
    void saveListAs(const std::string& path) override
    {
        bool answered = false;
        const DialogAnswerer dialog([&](HWND found) {
            const HWND name = ::GetDlgItem(found, ::GetDlgItem(found, cmb13) ? cmb13 : edt1);
            if (answered || isMessageBox(found) || classOf(found) != L"#32770" || !name)
                return false;
            WindowText::set(name, path);
            ::PostMessageW(found, WM_COMMAND, IDOK, 0);
            return answered = true;
        });
        click(hwnd(), MainControl::Command1);
    }
    void later(std::chrono::milliseconds delay, std::function<void()> action) override
    {
        auto done = std::make_shared<bool>(false); // the timer goes on; the action runs once
        m_later.push_back(std::make_unique<LoopTimer>(delay, [action, done] {
            if (!std::exchange(*done, true))
                action();
        }));
    }

    HWND hwnd() const { return m_window->handle(); }
    HWND the(int id) const { return control(hwnd(), id); }
    int closings() const { return m_closings; }

private:
    WideTemporaryFolder m_program;
    WideTemporaryFolder m_target;
    std::optional<BoxAnswerer> m_boxes;
    std::unique_ptr<MainWindow> m_window;
    int m_closings = 0;
    std::vector<std::unique_ptr<LoopTimer>> m_later;
};

// Where a caption's text ends, in its container, drawn in the caption's font.
LONG textEnd(HWND caption)
{
    const std::wstring text = WideText::fromUtf8(WindowText::get(caption));
    const HDC dc = ::GetDC(caption);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(caption, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(caption, dc);
    return placeOf(caption).left + size.cx;
}

} // namespace

std::unique_ptr<MainWindowDriver> corvano::test::makeMainWindowDriver()
{
    return std::make_unique<Win32MainWindowDriver>();
}

// A new window opens on its first page with the caret in Text2, its controls at the designed
// twips in their containers, a pixel to 15 twips, and half as many pixels again once it has
// moved to a screen of 144 dots per inch. Esc in a multi-line box asks its parent to close, as
// in a dialog: the frame must stay, and the text with it, or the next close saves an empty
// template; Tab leaves the template as it does every text box. Closing is told once, so that
// the program ends with its last window.
TEST(MainWindowTest, LayoutKeysAndClosing)
{
    Win32MainWindowDriver driver;
    driver.openForARun();
    EXPECT_EQ(driver.page(), "Frame3");
    EXPECT_EQ(driver.focused(), "Text2");
    const std::tuple<int, const ControlLayout&, int> placed[] = {
        {MainControl::TabStrip1, Layout::TabStrip1, 0},
        {MainControl::Text3, Layout::Text3, MainControl::Frame1},
        {MainControl::Command4, Layout::Command4, MainControl::Frame5},
    };
    for (const int dotsPerInch : {96, 144}) {
        SCOPED_TRACE(dotsPerInch);
        RECT suggested;
        ::GetWindowRect(driver.hwnd(), &suggested);
        ::SendMessageW(driver.hwnd(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                       reinterpret_cast<LPARAM>(&suggested));
        const Dpi dpi(dotsPerInch);
        for (const auto& [id, layout, container] : placed) {
            EXPECT_EQ(::GetParent(driver.the(id)),
                      container ? driver.the(container) : driver.hwnd())
                << layout.name;
            const RECT expected = dpi.rect(layout.rect);
            const RECT actual = placeOf(driver.the(id));
            EXPECT_TRUE(::EqualRect(&expected, &actual)) << layout.name;
        }
        // Captions end before their boxes (Text1, 2, 4 to 8), which would hide the rest of them.
        for (const int label : {1, 2, 6, 7, 8, 9, 10}) {
            const HWND box = driver.the(MainControl::text(label < 6 ? label : label - 2));
            EXPECT_LT(textEnd(driver.the(MainControl::Label1 + label - 1)), placeOf(box).left)
                << "Label" << label;
        }
        RECT client;
        ::GetClientRect(driver.hwnd(), &client);
        EXPECT_EQ(client.right, dpi.pixels(Layout::kClientWidth));
        EXPECT_EQ(client.bottom, dpi.pixels(Layout::kClientHeight));
    }
    for (const int box : {MainControl::Text3, MainControl::Text9}) {
        const HWND frame = ::GetParent(driver.the(box));
        pressKey(driver.the(box), VK_ESCAPE);
        pumpUntil([&] { return !::IsWindow(frame); }, 500ms);
        EXPECT_TRUE(::IsWindow(frame)) << box;
    }
    pressKey(driver.the(MainControl::Text3), VK_TAB);
    EXPECT_TRUE(pumpUntil([&] { return ::GetFocus() == driver.the(MainControl::Text1); }, 1s));
    EXPECT_EQ(driver.text(Field::Template), "[InternetShortcut]\r\nURL=");
    const HWND window = driver.hwnd();
    driver.close();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(driver.closings(), 1);
}
