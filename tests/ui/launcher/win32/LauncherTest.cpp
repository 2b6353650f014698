#include "ui/launcher/win32/Launcher.h"

#include "../LauncherDriver.h"
#include "WindowDriver.h"
#include "ui/common/win32/Picture.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <map>
#include <objbase.h>

using namespace corvano;
using namespace corvano::test;
using Button = LauncherDriver::Button;
using Lines = std::vector<std::string>;
using Pixels = std::vector<std::uint32_t>;

namespace {

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

int idOf(const std::string& name)
{
    static const std::map<std::string, int> ids = {{"Label1", LauncherWindow::Label1},
                                                   {"Label2", LauncherWindow::Label2},
                                                   {"Label3", LauncherWindow::Label3},
                                                   {"Picture1", LauncherWindow::Picture1},
                                                   {"Scriptlet1", LauncherWindow::Scriptlet1}};
    return ids.at(name);
}

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
        BoxAnswerer answerer;
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
        for (const ShownBox& box : answerer.take())
            texts.push_back(box.text);
        return texts;
    }
    // Any launcher window at all, as a failed start must leave none behind.
    bool isShown() const override { return ::FindWindowW(LauncherWindow::kClassName, nullptr); }
    void mouse(const std::string& name, Mouse event, Button button, std::pair<int, int> at) override
    {
        static constexpr UINT kMessages[][3] = {{WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN},
                                                {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE},
                                                {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP}};
        static constexpr WPARAM kKey[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
        const auto b = static_cast<std::size_t>(button);
        if (event != Mouse::Move)
            m_held = event == Mouse::Press ? m_held | kKey[b] : m_held & ~kKey[b];
        sendMouse(name.empty() ? handle : control(handle, idOf(name)), {at.first, at.second},
                  kMessages[static_cast<std::size_t>(event)][b], m_held);
    }
    bool pictureShows(const std::string& file) const override
    {
        const auto picture = Picture::fromFile(file);
        RECT client;
        ::GetClientRect(picture1(), &client);
        const SIZE size{client.right, client.bottom};
        return picture && rendered(size, [&](HDC dc) {
                              ::SendMessageW(picture1(), WM_PRINTCLIENT,
                                             reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
                          }) == rendered(size, [&](HDC dc) {
                              picture->draw(dc, {0, 0, picture->width(), picture->height()});
                          });
    }
    std::pair<int, int> corner() const override
    {
        RECT place;
        ::GetWindowRect(handle, &place);
        return {place.left, place.top};
    }
    std::vector<std::string> asked() const override { return m_asked; }

    HWND picture1() const { return control(handle, LauncherWindow::Picture1); }

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

// Closed by other means than its button, the launcher lets the program end.
TEST(LauncherTest, ClosedWithoutItsButtonTheProgramMayEnd)
{
    Win32LauncherDriver launcher;
    launcher.prepare();
    ASSERT_TRUE(launcher.start(launcher.system).empty());
    ::SendMessageW(launcher.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.asked(), Lines{"dismissed"});
    EXPECT_FALSE(::IsWindow(launcher.handle));
}
