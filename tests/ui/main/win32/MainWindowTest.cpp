// What only the native main window can show: its class and frame, the Tab order, the
// resolution it follows, the keys a dialog's edit boxes send.
#include "Win32MainWindowDriver.h"
#include "ui/main/MainWindowLayout.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;
namespace Layout = corvano::MainWindowLayout;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    HWND hwnd() const { return driver.hwnd(); }
    HWND the(int id) const { return driver.the(id); }

    Win32MainWindowDriver driver;
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

} // namespace

// The window as designed: its frame, its size, the first page with the caret in Text2, the
// Tab order of that page with the tab strip last, the status font; its closing told once.
TEST_F(MainWindowTest, ANewWindowIsTheDesignedOne)
{
    driver.open(false);
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

    EXPECT_EQ(driver.selectedTab(), 1);
    EXPECT_EQ(driver.page(), "Frame3");
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
    EXPECT_EQ(driver.text(Field::Template), "");

    for (const int label : {MainControl::Label3, MainControl::Label4, MainControl::Label5}) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(the(label), WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        EXPECT_EQ(WideText::toUtf8(font.lfFaceName), Layout::kStatusFontFace);
        EXPECT_EQ(font.lfHeight, -14); // 10.5 points at 96 dots per inch
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    }

    // Closing is told once, so that the program ends with its last window.
    const HWND window = hwnd();
    driver.close();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(driver.closings(), 1);
}

// Esc in a multi-line box asks its parent to close, as in a dialog: the frame holding the box
// must stay, and the text with it, or the next close saves an empty template.
TEST_F(MainWindowTest, EscapeInAMultiLineBoxKeepsItAndItsText)
{
    driver.open();
    for (const int box : {MainControl::Text3, MainControl::Text9}) {
        const HWND frame = ::GetParent(the(box));
        ::SetFocus(the(box));
        ::PostMessageW(the(box), WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(the(box), WM_KEYUP, VK_ESCAPE, 0xC0000000);
        pumpUntil([&] { return !::IsWindow(frame); }, 500ms);
        EXPECT_TRUE(::IsWindow(frame)) << box;
    }
    EXPECT_EQ(driver.text(Field::Template), "[InternetShortcut]\r\nURL=");
}

// Every control at its designed twips in its container, a pixel to 15 twips; half as many
// pixels again once the window has moved to a screen of 144 dots per inch.
TEST_F(MainWindowTest, ControlsStandAtTheirDesignedPlaces)
{
    driver.open(false);
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
                << WindowText::get(the(caption)) << " at " << dotsPerInch;
        EXPECT_TRUE(::GetWindowLongW(the(MainControl::Text9), GWL_STYLE) & WS_VSCROLL);
        RECT client;
        ::GetClientRect(hwnd(), &client);
        EXPECT_EQ(client.right, dpi.pixels(Layout::kClientWidth));
        EXPECT_EQ(client.bottom, dpi.pixels(Layout::kClientHeight));
    }
}
