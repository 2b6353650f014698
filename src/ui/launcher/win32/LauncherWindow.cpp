#include "LauncherWindow.h"

#include "platform/ProgramFolder.h"
#include "platform/win32/WideText.h"
#include "ui/common/win32/CenterForm.h"
#include "ui/common/win32/ResourceIds.h"

#include <cmath>
#include <shellapi.h>
#include <windowsx.h>

namespace corvano {

namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
constexpr COLORREF kWhite = RGB(255, 255, 255);

LauncherWindow::Options withDefaults(LauncherWindow::Options options)
{
    if (options.programFolder.empty())
        options.programFolder = ProgramFolder::path();
    if (options.pictureFolder.empty())
        options.pictureFolder = options.programFolder + "\\img";
    return options;
}

// The picture's size at the standard resolution, scaled to the window's.
RECT scaledPlace(const Picture& picture, Dpi dpi)
{
    return {0, 0, ::MulDiv(picture.width(), dpi.dotsPerInch(), Dpi::kStandard),
            ::MulDiv(picture.height(), dpi.dotsPerInch(), Dpi::kStandard)};
}

} // namespace

LauncherWindow::LauncherWindow(Options options)
    : m_options(withDefaults(std::move(options))),
      m_background(Picture::fromResource(CORVANO_BACKGROUND)), m_b1(picturePath("B1.jpg")),
      m_b2(picturePath("B2.jpg"))
{
    const Dpi system = Dpi::system();
    create({.className = kClassName,
            .style = WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN,
            .exStyle = WS_EX_APPWINDOW,
            .title = WideText::fromUtf8(LauncherLayout::kTitle),
            .place = {0, 0, system.pixels(LauncherLayout::kClientWidth),
                      system.pixels(LauncherLayout::kClientHeight)},
            .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
    RECT place;
    ::GetWindowRect(handle(), &place);
    moveToDpi(Dpi::of(handle()).dotsPerInch(), place);
    if (!m_options.openAddress) {
        m_options.openAddress = [this](const std::string& address) {
            ::ShellExecuteW(handle(), L"open", WideText::fromUtf8(address).c_str(), nullptr,
                            nullptr, SW_SHOWNORMAL);
        };
    }
    createControls();
    connectHandlers();
}

LauncherWindow::~LauncherWindow()
{
    destroy();
}

void LauncherWindow::createControls()
{
    namespace Layout = LauncherLayout;
    const HWND form = handle();
    m_label1 = std::make_unique<ClickLabel>(form, Control::Label1);
    m_controls.adopt(m_label1->handle(), Layout::Label1.rect,
                     {Layout::kNameFontFace, Layout::kNameFontPoints, GB2312_CHARSET, FW_NORMAL});
    m_label1->setText(Layout::Label1.caption);

    m_label2 = std::make_unique<ClickLabel>(form, Control::Label2);
    m_controls.adopt(m_label2->handle(), Layout::Label2.rect);
    m_label2->setText(Layout::Label2.caption);
    m_label2->setTextColour(kWhite);

    m_label3 = std::make_unique<ClickLabel>(form, Control::Label3);
    m_controls.adopt(m_label3->handle(), Layout::Label3.rect);
    m_label3->setText(Layout::Label3.caption);
    m_label3->setTextColour(kWhite);

    m_picture1 = std::make_unique<ClickLabel>(form, Control::Picture1);
    m_controls.adopt(m_picture1->handle(), Layout::Picture1.rect);

    m_scriptlet1 = std::make_unique<PageStrip>(form, Control::Scriptlet1);
    m_controls.adopt(m_scriptlet1->handle(), Layout::Scriptlet1.rect);
}

void LauncherWindow::connectHandlers()
{
    m_label3->setHandlers({.clicked = [this] { Label3_Click(); }});
    m_picture1->setHandlers({.mouseDown = [this] { Picture1_MouseDown(); },
                             .mouseUp = [this] { Picture1_MouseUp(); },
                             .clicked = [this] { Picture1_Click(); }});
}

std::string LauncherWindow::picturePath(const char* name) const
{
    return m_options.pictureFolder + "\\" + name;
}

std::optional<std::string> LauncherWindow::Form_Load()
{
    CenterForm(handle());
    // The strip keeps its corner; the size is in twips, so it becomes a sliver.
    const TwipsRect designed = LauncherLayout::Scriptlet1.rect;
    m_controls.move(m_scriptlet1->handle(),
                    {designed.left, designed.top, LauncherLayout::kScriptletWidth,
                     LauncherLayout::kScriptletHeight});
    if (!m_background)
        return "background.gif";
    // B2.jpg is read here as well, so that a missing one is told at start, not at a press.
    for (PictureFile* picture : {&m_b2, &m_b1}) {
        if (!picture->load())
            return picture->path();
    }
    m_picture1->setPicture(m_b1.picture());
    m_scriptlet1->load(m_options.pageAddress);
    return std::nullopt;
}

void LauncherWindow::show()
{
    ::ShowWindow(handle(), SW_SHOW);
    ::UpdateWindow(handle());
}

LRESULT LauncherWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        paintBackground(::BeginPaint(handle(), &paint));
        ::EndPaint(handle(), &paint);
        return 0;
    }
    case WM_PRINTCLIENT: // a transparent label asks for what lies beneath it
        paintBackground(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // Held, the pointer may leave the window faster than the window follows it.
        ::SetCapture(handle());
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wParam & kAnyButton) && ::GetCapture() == handle())
            ::ReleaseCapture();
        return 0;
    case WM_MOUSEMOVE:
        Form_MouseMove(wParam, lParam);
        return 0;
    case WM_DPICHANGED:
        moveToDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        destroy();
        if (m_options.dismissed)
            m_options.dismissed();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void LauncherWindow::paintBackground(HDC dc)
{
    RECT client;
    ::GetClientRect(handle(), &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    // The picture is one column wider than the window; it is drawn from the top-left corner.
    if (m_background)
        m_background->draw(dc, scaledPlace(*m_background, Dpi::of(handle())));
}

void LauncherWindow::moveToDpi(int dotsPerInch, const RECT& suggested)
{
    const Dpi dpi(dotsPerInch);
    ::SetWindowPos(handle(), nullptr, suggested.left, suggested.top,
                   dpi.pixels(LauncherLayout::kClientWidth),
                   dpi.pixels(LauncherLayout::kClientHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    m_controls.rescale(dpi);
    ::InvalidateRect(handle(), nullptr, TRUE);
}

void LauncherWindow::Form_MouseMove(WPARAM buttons, LPARAM position)
{
    if (!(buttons & MK_LBUTTON))
        return;
    // The pointer ends 220 x 50 twips right of and below the window's top-left corner,
    // wherever the press began; the twips are the window's, at its resolution.
    const double perPixel = Dpi::of(handle()).twipsPerPixel();
    RECT place;
    ::GetWindowRect(handle(), &place);
    const auto edge = [perPixel](LONG corner, int pointer, int offset) {
        return static_cast<int>(std::lround(((corner + pointer) * perPixel - offset) / perPixel));
    };
    ::SetWindowPos(handle(), nullptr,
                   edge(place.left, GET_X_LPARAM(position), LauncherLayout::kDragOffsetX),
                   edge(place.top, GET_Y_LPARAM(position), LauncherLayout::kDragOffsetY), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LauncherWindow::Label3_Click()
{
    m_options.openAddress(std::string("http://") + LauncherLayout::kWebAddress);
}

void LauncherWindow::showPicture(PictureFile& picture)
{
    // A file gone since the start keeps its last picture rather than ending the program.
    picture.load();
    m_picture1->setPicture(picture.picture());
}

void LauncherWindow::Picture1_MouseDown()
{
    showPicture(m_b2);
}

void LauncherWindow::Picture1_MouseUp()
{
    showPicture(m_b1);
}

void LauncherWindow::Picture1_Click()
{
    destroy();
    if (m_options.showMainWindow)
        m_options.showMainWindow();
}

} // namespace corvano
