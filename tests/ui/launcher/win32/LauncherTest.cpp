#include "ui/launcher/win32/Launcher.h"

#include "FakeWindows.h"
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

} // namespace

class LauncherTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        std::filesystem::copy(CORVANO_PICTURES_DIR, m_img);
        // Both components are in place, so the check passes.
        m_system.addFile("C:\\WINDOWS\\system32\\comdlg32.ocx", "dialog");
        m_system.addFile("C:\\WINDOWS\\system32\\MSINET.OCX", "inet");
    }

    void TearDown() override
    {
        m_form.reset();
        ::CoUninitialize();
    }

    // Starts as the program does; a launcher it shows becomes m_form. Returns the texts of the
    // message boxes it shows instead.
    Lines start(SystemServices& system)
    {
        const BoxAnswerer answerer;
        m_form = Launcher::start(
            {m_program.path().string(),
             kNoPage,
             [this](const std::string& address) { m_asked.push_back(address); },
             [this] { m_asked.push_back(::IsWindow(form()) ? "over launcher" : "main"); },
             {},
             [this] { m_asked.push_back("dismissed"); }},
            system);
        Lines texts;
        for (const ShownBox& box : answerer.boxes())
            texts.push_back(box.text);
        return texts;
    }

    HWND showLauncher()
    {
        const Lines boxes = start(m_system);
        if (!boxes.empty() || !m_form)
            throw std::logic_error("the launcher was not shown");
        m_handle = m_form->handle();
        // The pixel figures below hold at the standard resolution.
        if (Dpi::of(m_handle).dotsPerInch() != Dpi::kStandard)
            throw std::logic_error("the launcher is not at 96 dots per inch");
        return m_handle;
    }

    HWND form() const { return m_handle; }
    HWND picture1() const { return control(m_handle, LauncherWindow::Picture1); }
    std::string img(const char* name) const { return m_img + "\\" + name; }

    TemporaryFolder m_program;
    std::string m_img = m_program.path().string() + "\\img";
    FakeWindows m_system;
    std::unique_ptr<LauncherWindow> m_form;
    HWND m_handle = nullptr;
    Lines m_asked; // the addresses opened, the main window and the dismissal, in order
    Mouse m_mouse;
};

TEST_F(LauncherTest, AFailedStartIsToldAndShowsNoWindow)
{
    struct Case
    {
        const char* missing; // a file removed from the program's folder
        const char* told;
    };
    for (const Case& c : {Case{"img\\B1.jpg", "B1.jpg"}, Case{"img\\B2.jpg", "B2.jpg"}}) {
        std::filesystem::copy(CORVANO_PICTURES_DIR, m_img,
                              std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(m_program.path() / c.missing);
        const Lines boxes = start(m_system);
        ASSERT_EQ(boxes.size(), 1u) << c.missing;
        EXPECT_THAT(boxes[0], HasSubstr(c.told));
        EXPECT_FALSE(m_form);
        EXPECT_FALSE(::FindWindowW(LauncherWindow::kClassName, nullptr));
    }
    // The component check comes first: a component it cannot copy into place stops the start.
    FakeWindows blocked;
    blocked.addFile(m_program.path().string() + "\\COMDLG32.OCX", "dialog");
    blocked.addFolder("C:\\WINDOWS\\system32\\COMDLG32.OCX");
    const Lines boxes = start(blocked);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_THAT(AsciiCase::lower(boxes[0]), HasSubstr("无法复制组件文件"));
    EXPECT_THAT(AsciiCase::lower(boxes[0]), HasSubstr("comdlg32.ocx"));
    EXPECT_FALSE(m_form);
}

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

// Either button swaps the picture while held; released off the button, nothing is clicked.
TEST_F(LauncherTest, PressShowsB2AndReleaseB1WithAnyButton)
{
    showLauncher();
    const SIZE size = clientSize(picture1());
    const Pixels b1 = pictureAt(img("B1.jpg"), size);
    const Pixels b2 = pictureAt(img("B2.jpg"), size);
    ASSERT_NE(b1, b2);
    EXPECT_EQ(shownBy(picture1()), b1);
    for (Button button : {Button::Right, Button::Left, Button::Middle}) {
        m_mouse.press(picture1(), {70, 25}, button);
        EXPECT_EQ(shownBy(picture1()), b2);
        m_mouse.move(picture1(), {200, 25});
        m_mouse.release(picture1(), {200, 25}, button);
        EXPECT_EQ(shownBy(picture1()), b1);
    }
    EXPECT_EQ(m_asked, Lines());
    EXPECT_TRUE(::IsWindowVisible(form()));

    // Edge case: pictures gone or broken since the start leave the last ones in place.
    std::filesystem::remove(img("B1.jpg"));
    std::filesystem::resize_file(img("B2.jpg"), 10);
    m_mouse.click(picture1(), {70, 25}, Button::Right);
    EXPECT_EQ(shownBy(picture1()), b1);
}

TEST_F(LauncherTest, AClickClosesTheLauncherThenShowsTheMainWindow)
{
    showLauncher();
    const POINT corner = cornerOf(form());
    // The web address opens in the browser; the launcher stays as it was.
    m_mouse.click(control(form(), LauncherWindow::Label3), {5, 5});
    EXPECT_EQ(m_asked, Lines{"http://www.example.com"});
    EXPECT_TRUE(::IsWindowVisible(form()));
    EXPECT_EQ(cornerOf(form()).x, corner.x);
    EXPECT_EQ(cornerOf(form()).y, corner.y);

    m_mouse.click(picture1(), {70, 25}, Button::Right);
    EXPECT_EQ(m_asked.size(), 1u);
    m_mouse.click(picture1(), {70, 25});
    EXPECT_EQ(m_asked, (Lines{"http://www.example.com", "main"}));
    EXPECT_FALSE(::IsWindow(form()));
}

TEST_F(LauncherTest, ClosedWithoutItsButtonTheProgramMayEnd)
{
    showLauncher();
    ::SendMessageW(form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(m_asked, Lines{"dismissed"});
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
    EXPECT_EQ(m_asked, Lines());
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
    EXPECT_EQ(m_asked, Lines());
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
