#include "ui/launcher/win32/Launcher.h"

#include "../LauncherDriver.h"
#include "WindowDriver.h"
#include "platform/AsciiCase.h"
#include "platform/win32/WideText.h"
#include "ui/common/win32/Dpi.h"
#include "ui/common/win32/Picture.h"

#include <commctrl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <objbase.h>

using namespace corvano;
using namespace corvano::test;
using Button = Mouse::Button;
using DriverButton = LauncherDriver::Button;
using Lines = std::vector<std::string>;
using Pixels = std::vector<std::uint32_t>;
using testing::HasSubstr;

namespace {

const std::string kNoPage = "http://127.0.0.1:9/url.asp"; // nothing listens there

// What a window looks like when it paints itself into a bitmap of its size.
class Rendering
{
public:
    explicit Rendering(SIZE size) : m_size(size)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<std::uint32_t*>(bits);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~Rendering()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    Rendering(const Rendering&) = delete;
    Rendering& operator=(const Rendering&) = delete;

    HDC dc() const { return m_dc; }
    Pixels pixels() const
    {
        ::GdiFlush();
        return {m_bits, m_bits + m_size.cx * m_size.cy};
    }

private:
    SIZE m_size;
    HBITMAP m_bitmap;
    std::uint32_t* m_bits;
    HDC m_dc;
    HGDIOBJ m_old;
};

SIZE clientSize(HWND window)
{
    RECT client;
    ::GetClientRect(window, &client);
    return {client.right, client.bottom};
}

Pixels shownBy(HWND control)
{
    Rendering rendering(clientSize(control));
    ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(rendering.dc()), PRF_CLIENT);
    return rendering.pixels();
}

Pixels pictureAt(const std::string& file, SIZE size)
{
    const auto picture = Picture::fromFile(file);
    if (!picture)
        throw std::runtime_error("cannot read " + file);
    Rendering rendering(size);
    picture->draw(rendering.dc(), {0, 0, picture->width(), picture->height()});
    return rendering.pixels();
}

// A control's place in its window's client area, in pixels.
RECT placeOf(HWND control)
{
    RECT place;
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

POINT cornerOf(HWND window)
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
    void pressPicture(DriverButton button) override
    {
        m_mouse.press(picture1(), {70, 25}, of(button));
    }
    void releaseOffPicture(DriverButton button) override
    {
        m_mouse.move(picture1(), {200, 25});
        m_mouse.release(picture1(), {200, 25}, of(button));
    }
    void click(const std::string& name, DriverButton button) override
    {
        m_mouse.click(
            control(handle, name == "Label3" ? LauncherWindow::Label3 : LauncherWindow::Picture1),
            {5, 5}, of(button));
    }
    bool pictureShows(const std::string& file) const override
    {
        return shownBy(picture1()) == pictureAt(file, clientSize(picture1()));
    }
    std::vector<std::string> asked() const override { return m_asked; }

    HWND picture1() const { return control(handle, LauncherWindow::Picture1); }
    static Mouse::Button of(DriverButton button)
    {
        return static_cast<Mouse::Button>(static_cast<int>(button));
    }

    std::unique_ptr<LauncherWindow> form;
    HWND handle = nullptr;

private:
    Lines m_asked;
    Mouse m_mouse;
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
        std::filesystem::copy(CORVANO_PICTURES_DIR, m_driver.img());
        m_system.addFile("C:\\WINDOWS\\system32\\comdlg32.ocx", "dialog");
        m_system.addFile("C:\\WINDOWS\\system32\\MSINET.OCX", "inet");
    }

    HWND showLauncher()
    {
        if (!m_driver.start(m_system).empty() || !m_driver.form)
            throw std::logic_error("the launcher was not shown");
        // The pixel figures below hold at the standard resolution.
        if (Dpi::of(form()).dotsPerInch() != Dpi::kStandard)
            throw std::logic_error("the launcher is not at 96 dots per inch");
        return form();
    }

    HWND form() const { return m_driver.handle; }

    Win32LauncherDriver m_driver;
    FakeWindows& m_system = m_driver.system;
    Mouse m_mouse;
};

TEST_F(LauncherTest, LooksAsDesigned)
{
    showLauncher();
    wchar_t className[16] = {};
    ::GetClassNameW(form(), className, 16);
    EXPECT_STREQ(className, L"Form1");
    EXPECT_EQ(WindowText::get(form()), "Corvano");
    const LONG style = ::GetWindowLongW(form(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(::IsWindowVisible(form()));

    RECT outer;
    ::GetWindowRect(form(), &outer);
    EXPECT_EQ(outer.right - outer.left, 7260 / 15);
    EXPECT_EQ(outer.bottom - outer.top, 5040 / 15);
    EXPECT_EQ(clientSize(form()).cx, 484);
    EXPECT_EQ(clientSize(form()).cy, 336);

    // The designed twips at 15 to the pixel; the page strip shrunk to 380 x 22 twips at load.
    struct Place
    {
        int id;
        RECT pixels;
    };
    for (const Place& p : {Place{LauncherWindow::Label1, {160, 136, 160 + 217, 136 + 41}},
                           Place{LauncherWindow::Label2, {16, 304, 16 + 217, 304 + 17}},
                           Place{LauncherWindow::Label3, {328, 304, 328 + 137, 304 + 17}},
                           Place{LauncherWindow::Picture1, {184, 200, 184 + 140, 200 + 50}},
                           Place{LauncherWindow::Scriptlet1, {48, 264, 48 + 25, 264 + 1}}}) {
        const RECT place = placeOf(control(form(), p.id));
        EXPECT_TRUE(::EqualRect(&place, &p.pixels))
            << "control " << p.id << ": " << place.left << "," << place.top << " " << place.right
            << "," << place.bottom;
    }

    EXPECT_EQ(textOf(form(), LauncherWindow::Label1), "Corvano");
    EXPECT_EQ(textOf(form(), LauncherWindow::Label2), LauncherLayout::kCredit);
    EXPECT_EQ(textOf(form(), LauncherWindow::Label3), "www.example.com");
    LOGFONTW name{};
    ::GetObjectW(reinterpret_cast<HFONT>(
                     ::SendMessageW(control(form(), LauncherWindow::Label1), WM_GETFONT, 0, 0)),
                 sizeof name, &name);
    EXPECT_EQ(WideText::toUtf8(name.lfFaceName), "微软雅黑");
    EXPECT_EQ(name.lfHeight, -24); // 18 points
    EXPECT_EQ(name.lfWeight, FW_NORMAL);
    EXPECT_EQ(name.lfCharSet, GB2312_CHARSET);
}

// Moved to a screen of 144 dots per inch, the window and its controls take the designed twips
// there, the shrunk page strip included.
TEST_F(LauncherTest, FollowsTheResolutionOfItsScreen)
{
    showLauncher();
    RECT suggested{10, 20, 10 + 726, 20 + 504};
    ::SendMessageW(form(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
    RECT outer;
    ::GetWindowRect(form(), &outer);
    const RECT expected{10, 20, 10 + 7260 / 10, 20 + 5040 / 10};
    EXPECT_TRUE(::EqualRect(&outer, &expected));
    for (const auto& [id, pixels] :
         {std::pair{LauncherWindow::Picture1, RECT{276, 300, 276 + 210, 300 + 75}},
          std::pair{LauncherWindow::Scriptlet1, RECT{72, 396, 72 + 38, 396 + 2}}}) {
        const RECT place = placeOf(control(form(), id));
        EXPECT_TRUE(::EqualRect(&place, &pixels)) << "control " << id;
    }
}

TEST_F(LauncherTest, ClosedWithoutItsButtonTheProgramMayEnd)
{
    showLauncher();
    ::SendMessageW(form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(m_driver.asked(), Lines{"dismissed"});
    EXPECT_FALSE(::IsWindow(form()));
}

// Other buttons, and any drag that begins on a control, leave the window where it is.
TEST_F(LauncherTest, OtherDragsDoNotMoveTheWindow)
{
    showLauncher();
    const POINT start = cornerOf(form());
    for (Button other : {Button::Right, Button::Middle})
        m_mouse.drag(form(), {300, 100}, {350, 150}, other);
    // Released beyond each control, so nothing is clicked.
    for (int id : {LauncherWindow::Label1, LauncherWindow::Label2, LauncherWindow::Label3,
                   LauncherWindow::Picture1, LauncherWindow::Scriptlet1})
        m_mouse.drag(control(form(), id), {0, 0}, {230, 60}, Button::Left);
    EXPECT_EQ(m_driver.asked(), Lines());
    EXPECT_EQ(cornerOf(form()).x, start.x);
    EXPECT_EQ(cornerOf(form()).y, start.y);
}

// The pointer ends 220 x 50 twips from the corner: 301 px is 4515 twips, less 220 is 4295
// twips or 286 px; 100 px less 50 twips is 97 px.
TEST_F(LauncherTest, ALeftDragOnTheSurfaceMovesTheWindow)
{
    showLauncher();
    const POINT start = cornerOf(form());
    m_mouse.press(form(), {300, 100}, Button::Left);
    m_mouse.move(form(), {301, 100});
    EXPECT_EQ(cornerOf(form()).x, start.x + 286);
    EXPECT_EQ(cornerOf(form()).y, start.y + 97);
    m_mouse.move(form(), {40, 10});
    EXPECT_EQ(cornerOf(form()).x, start.x + 286 + 25);
    EXPECT_EQ(cornerOf(form()).y, start.y + 97 + 7);
    m_mouse.release(form(), {40, 10}, Button::Left);
    EXPECT_EQ(m_driver.asked(), Lines());
}

TEST(PageStrip, ShowsThePagesTextWithoutItsMarkup)
{
    struct Case
    {
        const char* html;
        const char* shown;
    };
    for (const Case& c : {
             Case{"<html><head><title>t</title></head><body><b>今日</b> 推荐</body></html>",
                  "今日 推荐"},
             Case{"<p>a\r\n\tb</p><p>c</p>", "a b c"},
             Case{"x<script>var s = '<p>';</script>y<STYLE>p{}</STYLE>z", "x y z"},
             Case{"&lt;a&gt; &amp;&nbsp;&copy;", "<a> & &copy;"},
             // Edge cases
             Case{"", ""},
             Case{"text <unclosed", "text"},
         })
        EXPECT_EQ(PageStrip::textOf(c.html), c.shown) << c.html;
}
