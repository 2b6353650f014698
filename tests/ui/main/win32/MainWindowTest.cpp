#include "ui/main/win32/MainWindow.h"

#include "PageServer.h"
#include "WideTemporaryFolder.h"
#include "WindowDriver.h"
#include "platform/AnsiCodec.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/picker/PickedFolder.h"

#include <commctrl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <objbase.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;
namespace Layout = corvano::MainWindowLayout;

namespace {

const char* const kPage = R"(<ul class="news"><li><a href="/news/1.html">第一条</a></li>
<li><a href="/about.php">关于</a></li><li><a href="/news/2.html">第二条</a></li></ul>)";

// A menu and the list that "自动识别" is to find.
const char* const kListsPage = R"(<p class="menu"><a href="/">首页</a> <a href="/a/">关于</a></p>
<ol class="文章"><li><a href="/p/1.html">春</a></li><li><a href="/p/2.html">夏</a></li>
<li><a href="/p/3.html">秋</a></li><li><a href="/p/4.html">冬</a></li></ol>)";

std::string readFile(const std::string& path)
{
    std::ifstream in(std::filesystem::path(WideText::fromUtf8(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class MainWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    void SetUp() override
    {
        server.serve("/list.html", kPage);
        server.serve("/hold.html", kPage, 30s);
        server.serve("/lists.html", kListsPage);
        server.serve("/plain.html", R"(<p><a href="/a.html">A</a> <a href="/b.html">B</a></p>)");
    }

    // A fresh main window on the program folder, with the texts of a run when asked.
    void open(bool forARun = true)
    {
        window.reset();
        window = std::make_unique<MainWindow>(MainWindow::Options{
            ProgramLocations::portable(program.path()), 5s, [this] { ++closings; }});
        window->show();
        const std::string texts[] = {server.url("/list.html"),
                                     target.path() + "\\",
                                     "[InternetShortcut]\r\nURL=",
                                     R"(<ul class="news">)",
                                     "</ul>",
                                     ".html",
                                     "/news/",
                                     server.url("/news/")};
        for (int number = 1; forARun && number <= 8; ++number)
            typeInto(hwnd(), MainControl::text(number), texts[number - 1]);
    }

    HWND hwnd() const { return window->handle(); }
    HWND the(int id) const { return control(hwnd(), id); }
    std::string text(int number) const { return textOf(hwnd(), MainControl::text(number)); }
    std::string caption(int label) const { return textOf(hwnd(), label); }

    // A click on the tab, where the user would click it.
    void clickTab(int position)
    {
        RECT tab{};
        ::SendMessageW(the(MainControl::TabStrip1), TCM_GETITEMRECT,
                       static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&tab));
        const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        ::SendMessageW(the(MainControl::TabStrip1), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(the(MainControl::TabStrip1), WM_LBUTTONUP, 0, at);
    }

    int page() const
    {
        int shown = 0;
        for (const int frame : {MainControl::Frame3, MainControl::Frame5, MainControl::Frame7}) {
            if (isShown(hwnd(), frame))
                shown = shown ? -1 : frame;
        }
        return shown;
    }

    int selectedTab() const
    {
        return static_cast<int>(::SendMessageW(the(MainControl::TabStrip1), TCM_GETCURSEL, 0, 0)) +
               1;
    }

    void close() { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

    PageServer server;
    WideTemporaryFolder program;
    WideTemporaryFolder target;
    std::unique_ptr<MainWindow> window;
    int closings = 0;
};

// A control's place in its container, in pixels.
RECT placeIn(HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

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
    return placeIn(caption).left + size.cx;
}

struct Placed
{
    int id;
    const ControlLayout& layout;
    int container; // 0: the window
};

const Placed kPlaces[] = {
    {MainControl::TabStrip1, Layout::TabStrip1, 0},
    {MainControl::Frame3, Layout::Frame3, 0},
    {MainControl::Frame5, Layout::Frame5, 0},
    {MainControl::Frame7, Layout::Frame7, 0},
    {MainControl::Label1, Layout::Label1, MainControl::Frame3},
    {MainControl::Text1, Layout::Text1, MainControl::Frame3},
    {MainControl::Label2, Layout::Label2, MainControl::Frame3},
    {MainControl::Text2, Layout::Text2, MainControl::Frame3},
    {MainControl::Command2, Layout::Command2, MainControl::Frame3},
    {MainControl::Frame1, Layout::Frame1, MainControl::Frame3},
    {MainControl::Text3, Layout::Text3, MainControl::Frame1},
    {MainControl::Frame2, Layout::Frame2, MainControl::Frame3},
    {MainControl::Label5, Layout::Label5, MainControl::Frame2},
    {MainControl::Label3, Layout::Label3, MainControl::Frame2},
    {MainControl::Label4, Layout::Label4, MainControl::Frame2},
    {MainControl::Command3, Layout::Command3, MainControl::Frame3},
    {MainControl::Text9, Layout::Text9, MainControl::Frame7},
    {MainControl::Command1, Layout::Command1, MainControl::Frame7},
    {MainControl::Frame4, Layout::Frame4, MainControl::Frame5},
    {MainControl::Label6, Layout::Label6, MainControl::Frame4},
    {MainControl::Text4, Layout::Text4, MainControl::Frame4},
    {MainControl::Label7, Layout::Label7, MainControl::Frame4},
    {MainControl::Text5, Layout::Text5, MainControl::Frame4},
    {MainControl::Label8, Layout::Label8, MainControl::Frame4},
    {MainControl::Text6, Layout::Text6, MainControl::Frame4},
    {MainControl::Frame6, Layout::Frame6, MainControl::Frame5},
    {MainControl::Label9, Layout::Label9, MainControl::Frame6},
    {MainControl::Text7, Layout::Text7, MainControl::Frame6},
    {MainControl::Label10, Layout::Label10, MainControl::Frame6},
    {MainControl::Text8, Layout::Text8, MainControl::Frame6},
    {MainControl::Check1, Layout::Check1, MainControl::Frame6},
    {MainControl::Label11, Layout::Label11, MainControl::Frame6},
    {MainControl::Command4, Layout::Command4, MainControl::Frame5},
};

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

} // namespace

// The window as designed: its frame, its size, the first page with the caret in Text2, the
// Tab order of that page with the tab strip last, the status font.
TEST_F(MainWindowTest, ANewWindowIsTheDesignedOne)
{
    open(false);
    wchar_t className[16] = {};
    ::GetClassNameW(hwnd(), className, 16);
    EXPECT_EQ(std::wstring(className), L"curl");
    EXPECT_EQ(WindowText::get(hwnd()), Layout::kTitle);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    RECT client;
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 463);
    EXPECT_EQ(client.bottom, 391);

    EXPECT_EQ(selectedTab(), 1);
    EXPECT_EQ(page(), MainControl::Frame3);
    EXPECT_EQ(::GetFocus(), the(MainControl::Text2));
    std::vector<int> order;
    HWND at = ::GetFocus();
    do {
        order.push_back(::GetDlgCtrlID(at));
        at = ::GetNextDlgTabItem(hwnd(), at, FALSE);
    } while (at && at != ::GetFocus() && order.size() < 20);
    EXPECT_EQ(order, (std::vector<int>{MainControl::Text2, MainControl::Command2,
                                       MainControl::Text3, MainControl::Text1,
                                       MainControl::Command3, MainControl::TabStrip1}));

    // The Tab key leaves the multi-line template too, as it does every text box.
    ::SetFocus(the(MainControl::Text3));
    ::PostMessageW(the(MainControl::Text3), WM_KEYDOWN, VK_TAB, 0);
    ::PostMessageW(the(MainControl::Text3), WM_KEYUP, VK_TAB, 0xC0000000);
    EXPECT_TRUE(pumpUntil([&] { return ::GetFocus() == the(MainControl::Text1); }, 1s));
    EXPECT_EQ(text(3), "");

    for (const int label : {MainControl::Label3, MainControl::Label4, MainControl::Label5}) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(the(label), WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        EXPECT_EQ(WideText::toUtf8(font.lfFaceName), Layout::kStatusFontFace);
        EXPECT_EQ(font.lfHeight, -14); // 10.5 points at 96 dots per inch
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    }
}

// Esc in a multi-line box asks its parent to close, as in a dialog: the frame holding the box
// must stay, and the text with it, or the next close saves an empty template.
TEST_F(MainWindowTest, EscapeInAMultiLineBoxKeepsItAndItsText)
{
    open();
    for (const int box : {MainControl::Text3, MainControl::Text9}) {
        const HWND frame = ::GetParent(the(box));
        ::SetFocus(the(box));
        ::PostMessageW(the(box), WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(the(box), WM_KEYUP, VK_ESCAPE, 0xC0000000);
        pumpUntil([&] { return !::IsWindow(frame); }, 500ms);
        EXPECT_TRUE(::IsWindow(frame)) << box;
    }
    EXPECT_EQ(text(3), "[InternetShortcut]\r\nURL=");
}

// Every control at its designed twips in its container, a pixel to 15 twips; half as many
// pixels again once the window has moved to a screen of 144 dots per inch.
TEST_F(MainWindowTest, ControlsStandAtTheirDesignedPlaces)
{
    open(false);
    for (const int dotsPerInch : {96, 144}) {
        if (dotsPerInch != 96) {
            RECT suggested;
            ::GetWindowRect(hwnd(), &suggested);
            ::SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                           reinterpret_cast<LPARAM>(&suggested));
        }
        const Dpi dpi(dotsPerInch);
        for (const Placed& placed : kPlaces) {
            const HWND control = the(placed.id);
            EXPECT_EQ(::GetParent(control), placed.container ? the(placed.container) : hwnd())
                << placed.layout.name;
            const RECT expected = dpi.rect(placed.layout.rect);
            const RECT actual = placeIn(control);
            EXPECT_TRUE(::EqualRect(&expected, &actual))
                << placed.layout.name << " at " << dotsPerInch << ": " << actual.left << ","
                << actual.top << " " << actual.right - actual.left << "x"
                << actual.bottom - actual.top;
        }
        // Captions end before their boxes, which would hide the rest; the link list scrolls.
        for (const auto& [caption, box] : {std::pair{MainControl::Label1, MainControl::Text1},
                                           {MainControl::Label2, MainControl::Text2},
                                           {MainControl::Label6, MainControl::Text4},
                                           {MainControl::Label7, MainControl::Text5},
                                           {MainControl::Label8, MainControl::Text6},
                                           {MainControl::Label9, MainControl::Text7},
                                           {MainControl::Label10, MainControl::Text8}})
            EXPECT_LT(textEnd(the(caption)), placeIn(the(box)).left)
                << this->caption(caption) << " at " << dotsPerInch;
        EXPECT_TRUE(::GetWindowLongW(the(MainControl::Text9), GWL_STYLE) & WS_VSCROLL);
        RECT client;
        ::GetClientRect(hwnd(), &client);
        EXPECT_EQ(client.right, dpi.pixels(Layout::kClientWidth));
        EXPECT_EQ(client.bottom, dpi.pixels(Layout::kClientHeight));
    }
}

// Pages follow the tab captions, not their positions; an extraction error brings up the
// string settings with the text at fault focused.
TEST_F(MainWindowTest, PagesFollowTheCaptions)
{
    open();
    std::vector<int> shown;
    for (const int tab : {2, 3, 3, 1}) {
        clickTab(tab);
        shown.push_back(page());
    }
    std::wstring other = L"其他";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = other.data();
    ::SendMessageW(the(MainControl::TabStrip1), TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    clickTab(2);
    shown.push_back(page());
    EXPECT_EQ(shown,
              (std::vector<int>{MainControl::Frame7, MainControl::Frame5, MainControl::Frame5,
                                MainControl::Frame3, MainControl::Frame3}));

    clickTab(1);
    typeInto(hwnd(), MainControl::Text4, "<ol>");
    BoxAnswerer boxes;
    click(hwnd(), MainControl::Command3);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "起始字符串不存在，请新重设置!");
    EXPECT_EQ(page(), MainControl::Frame5);
    EXPECT_EQ(selectedTab(), 3);
    EXPECT_EQ(::GetFocus(), the(MainControl::Text4));
}

// A whole run: the files, the status and the list; then the save button writes the list
// through the dialog's one file type.
TEST_F(MainWindowTest, ARunWritesTheFilesAndTheSaveButtonTheList)
{
    open();
    BoxAnswerer boxes;
    click(hwnd(), MainControl::Command3);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].title, "URL生成");
    EXPECT_EQ(boxes.boxes()[0].text, "恭喜，URL文件生成完毕！");
    EXPECT_EQ(caption(MainControl::Label3), "生成完毕");
    EXPECT_EQ(caption(MainControl::Label5), "          共生成2个URL文件");
    EXPECT_TRUE(pumpUntil([&] { return caption(MainControl::Label4).empty(); }));
    const std::string first = server.url("/news/1.html");
    const std::string second = server.url("/news/2.html");
    EXPECT_EQ(text(9), "第一条        " + first + "\r\n第二条        " + second + "\r\n");
    EXPECT_EQ(readFile(target.file("第一条.url")), "[InternetShortcut]\r\nURL=" + first + "\r\n");

    FileDialogAnswerer dialog(target.file("list.html"));
    click(hwnd(), MainControl::Command1);
    EXPECT_EQ(dialog.types(), std::vector<std::string>{Layout::kSaveFilterName});
    EXPECT_EQ(readFile(target.file("list.html")),
              AnsiCodec::encode("<a href=\"" + first + "\">第一条</a><br><a href=\"" + second +
                                "\">第二条</a><br>\r\n"));
}

// "自动识别" fills Text4 to Text6 from the page's list, and leaves them as they were on a page
// without one.
TEST_F(MainWindowTest, TheSuggestButtonFillsTheStrings)
{
    open(false);
    clickTab(3);
    typeInto(hwnd(), MainControl::Text1, server.url("/lists.html"));
    BoxAnswerer boxes;
    click(hwnd(), MainControl::Command4);
    EXPECT_EQ(text(4), R"(<ol class="文章">)");
    EXPECT_EQ(text(5), "</ol>");
    EXPECT_EQ(text(6), "/p/");
    typeInto(hwnd(), MainControl::Text1, server.url("/plain.html"));
    click(hwnd(), MainControl::Command4);
    EXPECT_EQ(text(4), R"(<ol class="文章">)");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].title, "自动识别");
    EXPECT_EQ(boxes.boxes()[0].text, "已识别列表：共4个链接");
    EXPECT_EQ(boxes.boxes()[1].text, "未找到链接列表");
}

// A run stopped by a file it cannot write says so in the status, and no marks follow; one on
// which no link passes the filter shows no box but a count of 0.
TEST_F(MainWindowTest, AFailedOrEmptyRunEndsInItsStatus)
{
    open();
    ::CreateDirectoryW(WideText::fromUtf8(target.file("第二条.url")).c_str(), nullptr);
    {
        BoxAnswerer boxes;
        click(hwnd(), MainControl::Command3);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].title, "文件错误");
        EXPECT_TRUE(boxes.boxes()[0].text.starts_with("无法写入文件 " + target.file("第二条.url")))
            << boxes.boxes()[0].text;
    }
    EXPECT_EQ(caption(MainControl::Label3), "生成失败");
    pumpUntil([] { return false; }, 500ms); // Timer2 would add marks
    EXPECT_EQ(caption(MainControl::Label4), "");
    EXPECT_EQ(caption(MainControl::Label5), "");

    typeInto(hwnd(), MainControl::Text6, ".asp");
    BoxAnswerer boxes;
    click(hwnd(), MainControl::Command3);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(caption(MainControl::Label5), "          共生成0个URL文件");
}

// A template without "URL=" is questioned before the download: Yes puts in the standard
// content and the run goes on; No ends it with the caret in Text3 and nothing written.
TEST_F(MainWindowTest, ATemplateWithoutAnAddressIsQuestioned)
{
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        open();
        typeInto(hwnd(), MainControl::Text3, "");
        BoxAnswerer boxes(answer);
        click(hwnd(), MainControl::Command3);
        ASSERT_EQ(boxes.boxes().size(), answer == IDYES ? 2u : 1u);
        EXPECT_EQ(boxes.boxes()[0].title, "URL文件内容");
        EXPECT_EQ(boxes.boxes()[0].text, "URL文件内容中没有“URL=”，生成的文件将不含网址。"
                                         "是否使用标准内容？\r\n[InternetShortcut]\r\nURL=");
        EXPECT_TRUE(boxes.boxes()[0].yesNo);
        if (answer == IDNO) {
            EXPECT_EQ(text(3), "");
            EXPECT_EQ(::GetFocus(), the(MainControl::Text3));
            EXPECT_EQ(::GetFileAttributesW(WideText::fromUtf8(target.file("第一条.url")).c_str()),
                      INVALID_FILE_ATTRIBUTES);
        } else {
            EXPECT_EQ(text(3), "[InternetShortcut]\r\nURL=");
            EXPECT_EQ(readFile(target.file("第一条.url")),
                      "[InternetShortcut]\r\nURL=" + server.url("/news/1.html") + "\r\n");
        }
    }
}

// The eight texts and the check box come back after a restart, the multi-line template
// with its line breaks; each closing is told once.
TEST_F(MainWindowTest, SettingsSurviveARestart)
{
    open();
    click(hwnd(), MainControl::Check1);
    std::vector<std::string> before;
    for (int number = 1; number <= 8; ++number)
        before.push_back(text(number));
    close();
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(::IsWindow(hwnd()));
    open(false);
    std::vector<std::string> after;
    for (int number = 1; number <= 8; ++number)
        after.push_back(text(number));
    EXPECT_EQ(after, before);
    EXPECT_EQ(::SendMessageW(the(MainControl::Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
    close();
    EXPECT_EQ(closings, 2);
}

// Closing the window while a run waits for its page ends the run at once, without a box;
// the texts are saved as they were.
TEST_F(MainWindowTest, ClosingEndsAWaitingRun)
{
    open();
    typeInto(hwnd(), MainControl::Text1, server.url("/hold.html"));
    static HWND s_closing;
    static std::string s_status;
    s_closing = hwnd();
    // A class's static function, not a lambda: a timer procedure is stdcall, which a lambda
    // converts to only on 64-bit Windows.
    struct Later
    {
        static void CALLBACK close(HWND, UINT, UINT_PTR timer, DWORD)
        {
            ::KillTimer(nullptr, timer);
            s_status = WindowText::get(findControl(s_closing, MainControl::Label3));
            ::PostMessageW(s_closing, WM_CLOSE, 0, 0);
        }
    };
    const UINT_PTR later = ::SetTimer(nullptr, 0, 500, &Later::close);
    BoxAnswerer boxes;
    const auto start = std::chrono::steady_clock::now();
    click(hwnd(), MainControl::Command3);
    ::KillTimer(nullptr, later);
    // Long before the page would come. Wine's WinHTTP reports a cancelled request closed only
    // when its connection ends; the transfer does not wait for that notice.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
    EXPECT_EQ(s_status, "获取列表");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(server.requests("/hold.html"), 1);
    open(false);
    EXPECT_EQ(text(1), server.url("/hold.html"));
}

// Only "确定" sets Text2: "取消" and the close box leave what is there (a restored folder,
// say), before and after a confirmed choice.
TEST_F(MainWindowTest, BrowseCopiesOnlyAConfirmedFolderIntoText2)
{
    open(false);
    const auto browse = [this](const std::string& answer) {
        PickerAnswerer picker(answer);
        click(hwnd(), MainControl::Command2);
        EXPECT_TRUE(picker.answered()) << answer;
        return text(2);
    };
    typeInto(hwnd(), MainControl::Text2, "D:\\restored\\");
    EXPECT_EQ(browse("取消"), "D:\\restored\\");
    EXPECT_EQ(browse(""), "D:\\restored\\");
    const std::string confirmed = browse("确定");
    EXPECT_EQ(confirmed, PickedFolder::value());
    EXPECT_TRUE(confirmed.ends_with("\\")) << confirmed;
    typeInto(hwnd(), MainControl::Text2, "D:\\typed\\");
    EXPECT_EQ(browse("取消"), "D:\\typed\\");
    EXPECT_EQ(browse(""), "D:\\typed\\");
}
