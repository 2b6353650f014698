#include "ui/launcher/win32/Launcher.h"

#include "../LauncherDriver.h"
#include "WindowDriver.h"
#include "platform/win32/WideText.h"
#include "ui/common/win32/Dpi.h"
#include "ui/common/win32/Picture.h"

#include <commctrl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <objbase.h>

using namespace corvano;
using namespace corvano::test;
using Button = LauncherDriver::Button;
using Lines = std::vector<std::string>;
using Pixels = std::vector<std::uint32_t>;

namespace {

const std::string kNoPage = "http://127.0.0.1:9/url.asp"; // nothing listens there

SIZE clientSize(HWND window)
{
    RECT client;
    ::GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// What a drawing into a bitmap of this size looks like.
Pixels rendered(SIZE size, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    draw(dc);
    ::GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    Pixels pixels(first, first + size.cx * size.cy);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
    return pixels;
}

std::pair<LONG, LONG> cornerOf(HWND window)
{
    RECT place;
    ::GetWindowRect(window, &place);
    return {place.left, place.top};
}

// Drives the native launcher through the messages a user's mouse produces.
class Win32LauncherDriver : public LauncherDriver
{
public:
    Win32LauncherDriver()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
    ~Win32LauncherDriver() override
    {
        form.reset();
        ::CoUninitialize();
    }

    Lines start(SystemServices& system) override
    {
        const BoxAnswerer answerer;
        form = Launcher::start(
            {program(),
             kNoPage,
             [this](const std::string& address) { m_asked.push_back(address); },
             [this] { m_asked.push_back(::IsWindow(handle) ? "over launcher" : "main"); },
             {},
             [this] { m_asked.push_back("dismissed"); }},
            system);
        handle = form ? form->handle() : nullptr;
        Lines texts;
        for (const ShownBox& box : answerer.boxes())
            texts.push_back(box.text);
        return texts;
    }
    // Any launcher window at all, as a failed start must leave none behind.
    bool isShown() const override { return ::FindWindowW(LauncherWindow::kClassName, nullptr); }
    void pressPicture(Button button) override { mouse(picture1(), {70, 25}, button, true); }
    void releaseOffPicture(Button button) override
    {
        move(picture1(), {200, 25});
        mouse(picture1(), {200, 25}, button, false);
    }
    void click(const std::string& name, Button button) override
    {
        const HWND target =
            control(handle, name == "Label3" ? LauncherWindow::Label3 : LauncherWindow::Picture1);
        mouse(target, {5, 5}, button, true);
        mouse(target, {5, 5}, button, false);
    }
    bool pictureShows(const std::string& file) const override
    {
        const auto picture = Picture::fromFile(file);
        const SIZE size = clientSize(picture1());
        return picture && rendered(size, [&](HDC dc) {
                              ::SendMessageW(picture1(), WM_PRINTCLIENT,
                                             reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
                          }) == rendered(size, [&](HDC dc) {
                              picture->draw(dc, {0, 0, picture->width(), picture->height()});
                          });
    }
    std::vector<std::string> asked() const override { return m_asked; }

    HWND picture1() const { return control(handle, LauncherWindow::Picture1); }
    // A press (down) or release of the button.
    void mouse(HWND on, POINT at, Button button, bool down)
    {
        static constexpr UINT kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static constexpr UINT kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        static constexpr WPARAM kKey[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
        const auto b = static_cast<std::size_t>(button);
        m_held = down ? m_held | kKey[b] : m_held & ~kKey[b];
        sendMouse(on, at, down ? kDown[b] : kUp[b], m_held);
    }
    void move(HWND on, POINT at) { sendMouse(on, at, WM_MOUSEMOVE, m_held); }

    std::unique_ptr<LauncherWindow> form;
    HWND handle = nullptr;

private:
    Lines m_asked;
    WPARAM m_held = 0;
};

} // namespace

std::unique_ptr<LauncherDriver> corvano::test::makeLauncherDriver()
{
    return std::make_unique<Win32LauncherDriver>();
}

class LauncherTest : public testing::Test
{
protected:
    void SetUp() override
    {
        launcher.prepare();
        // The pixel figures below hold at the standard resolution.
        if (!launcher.start(launcher.system).empty() || Dpi::of(form()).dotsPerInch() != 96)
            throw std::logic_error("the launcher was not shown at 96 dots per inch");
    }

    HWND form() const { return launcher.handle; }

    Win32LauncherDriver launcher;
};

// A borderless window in the product name's font; it and its controls take the designed
// twips, at 96 dots per inch and once moved to a screen of 144, the page strip shrunk to
// 380 x 22 twips at load.
TEST_F(LauncherTest, LooksAsDesignedAtEachResolution)
{
    EXPECT_FALSE(::GetWindowLongW(form(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    const LOGFONTW name = fontOf(control(form(), LauncherWindow::Label1));
    EXPECT_EQ(WideText::toUtf8(name.lfFaceName), "微软雅黑");
    EXPECT_EQ(name.lfHeight, -24); // 18 points

    for (const auto& [dotsPerInch, picture, strip] :
         {std::tuple{96, RECT{184, 200, 324, 250}, RECT{48, 264, 73, 265}},
          std::tuple{144, RECT{276, 300, 486, 375}, RECT{72, 396, 110, 398}}}) {
        SCOPED_TRACE(dotsPerInch);
        RECT suggested{10, 20, 10 + 7260 * dotsPerInch / 1440, 20 + 5040 * dotsPerInch / 1440};
        ::SendMessageW(form(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                       reinterpret_cast<LPARAM>(&suggested));
        RECT outer;
        ::GetWindowRect(form(), &outer);
        EXPECT_TRUE(::EqualRect(&outer, &suggested));
        for (const auto& [id, pixels] : {std::pair{LauncherWindow::Picture1, picture},
                                         std::pair{LauncherWindow::Scriptlet1, strip}}) {
            const RECT place = placeOf(control(form(), id));
            EXPECT_TRUE(::EqualRect(&place, &pixels)) << "control " << id;
        }
    }
}

TEST_F(LauncherTest, ClosedWithoutItsButtonTheProgramMayEnd)
{
    ::SendMessageW(form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.asked(), Lines{"dismissed"});
    EXPECT_FALSE(::IsWindow(form()));
}

// Only a left drag that begins on the surface moves the window: the pointer ends 220 x 50
// twips from the corner (301 px is 4515 twips, less 220 is 4295 twips or 286 px; 100 px less
// 50 twips is 97 px). Other buttons, and drags that begin on a control and end beyond it, do
// nothing.
TEST_F(LauncherTest, OnlyALeftDragOnTheSurfaceMovesTheWindow)
{
    const auto [left, top] = cornerOf(form());
    const auto drag = [&](HWND on, POINT from, POINT to, Button button) {
        launcher.mouse(on, from, button, true);
        launcher.move(on, to);
        launcher.mouse(on, to, button, false);
    };
    for (Button other : {Button::Right, Button::Middle})
        drag(form(), {300, 100}, {350, 150}, other);
    for (int id : {LauncherWindow::Label1, LauncherWindow::Label2, LauncherWindow::Label3,
                   LauncherWindow::Picture1, LauncherWindow::Scriptlet1})
        drag(control(form(), id), {0, 0}, {230, 60}, Button::Left);
    EXPECT_EQ(cornerOf(form()), std::pair(left, top));

    launcher.mouse(form(), {300, 100}, Button::Left, true);
    launcher.move(form(), {301, 100});
    EXPECT_EQ(cornerOf(form()), std::pair(left + 286, top + 97));
    launcher.move(form(), {40, 10});
    EXPECT_EQ(cornerOf(form()), std::pair(left + 286 + 25, top + 97 + 7));
    launcher.mouse(form(), {40, 10}, Button::Left, false);
    EXPECT_EQ(launcher.asked(), Lines());
}

TEST(PageStrip, ShowsThePagesTextWithoutItsMarkup)
{
    for (const auto& [html, shown] : std::initializer_list<std::pair<const char*, const char*>>{
             {"<html><head><title>t</title></head><body><b>今日</b> 推荐</body></html>",
              "今日 推荐"},
             {"<p>a\r\n\tb</p><p>c</p>", "a b c"},
             {"x<script>var s = '<p>';</script>y<STYLE>p{}</STYLE>z", "x y z"},
             {"&lt;a&gt; &amp;&nbsp;&copy;", "<a> & &copy;"},
             // Edge cases
             {"", ""},
             {"text <unclosed", "text"},
         })
        EXPECT_EQ(PageStrip::textOf(html), shown) << html;
}
