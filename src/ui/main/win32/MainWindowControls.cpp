#include "MainWindowControls.h"

#include "platform/win32/WideText.h"
#include "ui/common/win32/WindowText.h"
#include "ui/main/MainWindowLayout.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace corvano {

namespace Layout = MainWindowLayout;
using namespace MainControl;

namespace {

// Controls that overlap a sibling (a caption reaching under its text box, Label3 under
// Label4) leave the overlap to the sibling above them.
ControlSet::Control clipped(ControlSet::Control kind)
{
    kind.style |= WS_CLIPSIBLINGS;
    return kind;
}

const ControlSet::Control kLabel = clipped(ControlKind::kLabel);
const ControlSet::Control kText = clipped(ControlKind::kText);
const ControlSet::Control kMultiLineText = clipped(ControlKind::kMultiLineText);
// The link list grows with every run: it scrolls.
const ControlSet::Control kScrolledText{kMultiLineText.windowClass,
                                        kMultiLineText.style | WS_VSCROLL, kMultiLineText.exStyle};
const ControlSet::Control kButton = clipped(ControlKind::kButton);
const ControlSet::Control kCheckBox = clipped(ControlKind::kCheckBox);
const ControlSet::Control kTabStrip{WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS};

const FontSpec kStatusFont{Layout::kStatusFontFace, Layout::kStatusFontPoints, GB2312_CHARSET,
                           FW_NORMAL};

// The edit control's own procedure, kept with each box whose Tab key leaves it.
constexpr const wchar_t* kOwnProcedure = L"CorvanoEditProcedure";

// A multi-line box outside a dialog asks for every key, Tab included; here Tab moves on to
// the next control instead, as from every other box.
LRESULT CALLBACK tabLeaves(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto own = reinterpret_cast<WNDPROC>(::GetPropW(box, kOwnProcedure));
    LRESULT result = ::CallWindowProcW(own, box, message, wParam, lParam);
    if (message == WM_GETDLGCODE && lParam) {
        const auto& key = *reinterpret_cast<const MSG*>(lParam);
        if (key.message == WM_KEYDOWN && key.wParam == VK_TAB)
            result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    } else if (message == WM_NCDESTROY) {
        ::RemovePropW(box, kOwnProcedure);
    }
    return result;
}

void letTabLeave(HWND box)
{
    ::SetPropW(box, kOwnProcedure,
               reinterpret_cast<HANDLE>(::GetWindowLongPtrW(box, GWLP_WNDPROC)));
    ::SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&tabLeaves));
}

// Each caption and the text box whose left edge it must end before.
constexpr std::array<std::pair<int, int>, 7> kCaptionedBoxes{{{Label1, Text1},
                                                              {Label2, Text2},
                                                              {Label6, Text4},
                                                              {Label7, Text5},
                                                              {Label8, Text6},
                                                              {Label9, Text7},
                                                              {Label10, Text8}}};

// The smallest size a fitted caption is drawn at, so that it stays legible.
constexpr int kSmallestPoints = 6;

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

int textWidth(HWND window, HFONT font, const std::wstring& text)
{
    const HDC dc = ::GetDC(window);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return size.cx;
}

// The box's formatting area cut to a whole number of lines, so the last one is never shown
// in half; scrolling goes by whole lines.
void showWholeLines(HWND box)
{
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0));
    const HDC dc = ::GetDC(box);
    const HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(box, dc);
    RECT area{};
    ::SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const LONG lineHeight = metrics.tmHeight;
    if (lineHeight <= 0 || area.bottom - area.top < lineHeight)
        return;
    area.bottom = area.top + (area.bottom - area.top) / lineHeight * lineHeight;
    ::SendMessageW(box, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
}

bool isMultiLine(int number)
{
    return number == 3 || number == 9;
}

// A multi-line box shows a line break only as CR LF.
std::string withCrLf(std::string_view text)
{
    std::string crlf;
    crlf.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // its LF follows
        if (text[i] == '\r' || text[i] == '\n')
            crlf.append("\r\n");
        else
            crlf.push_back(text[i]);
    }
    return crlf;
}

} // namespace

MainWindowControls::MainWindowControls(HWND window) : m_set(Dpi::of(window)), m_tabs(nullptr)
{
    // Made in the Tab order: each control goes beneath the ones made before it.
    createUrlPage(window);
    createStringPage(window);
    createHtmlPage(window);
    m_tabs = TabStrip(createTabStrip(window));
    for (const int box : {Text3, Text9}) {
        // Neither has a limit of its own; Text9 grows with every build.
        ::SendMessageW(control(box), EM_SETLIMITTEXT, 0, 0);
        letTabLeave(control(box));
    }
    fitToFonts();
    showPage(Frame3);
}

void MainWindowControls::fitToFonts()
{
    std::vector<FontHandle> fonts;
    for (const auto& [caption, box] : kCaptionedBoxes)
        fitCaption(control(caption), control(box), fonts);
    // The captions have their new fonts; the old ones can go.
    m_captionFonts = std::move(fonts);
    showWholeLines(control(Text9));
}

void MainWindowControls::fitCaption(HWND caption, HWND box, std::vector<FontHandle>& fonts)
{
    RECT captionPlace{};
    RECT boxPlace{};
    ::GetWindowRect(caption, &captionPlace);
    ::GetWindowRect(box, &boxPlace);
    const LONG room = std::min(captionPlace.right, boxPlace.left) - captionPlace.left;
    const std::wstring text = windowText(caption);
    LOGFONTW font{};
    ::GetObjectW(m_set.font({}), sizeof font, &font);
    if (textWidth(caption, m_set.font({}), text) < room)
        return;
    // One pixel smaller at a time, as far as the smallest legible size.
    const LONG smallest = ::MulDiv(kSmallestPoints, m_set.dpi().dotsPerInch(), 72);
    FontHandle smaller;
    do {
        font.lfHeight = font.lfHeight < 0 ? font.lfHeight + 1 : font.lfHeight - 1;
        smaller = FontHandle(::CreateFontIndirectW(&font));
    } while (textWidth(caption, smaller.get(), text) >= room && std::abs(font.lfHeight) > smallest);
    ::SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(smaller.get()), TRUE);
    fonts.push_back(std::move(smaller));
}

HWND MainWindowControls::frame(HWND parent, const ControlLayout& layout, int id)
{
    const auto& made =
        m_frames.emplace_back(std::make_unique<ContainerFrame>(parent, id, layout.caption));
    m_set.adopt(made->handle(), layout.rect);
    m_controls[id] = made->handle();
    return made->handle();
}

HWND MainWindowControls::add(HWND parent, const Kind& kind, const ControlLayout& layout, int id,
                             const FontSpec& font)
{
    const HWND made = m_set.create(parent, kind, layout, id, font);
    m_controls[id] = made;
    return made;
}

void MainWindowControls::createUrlPage(HWND window)
{
    const HWND page = frame(window, Layout::Frame3, Frame3);
    add(page, kText, Layout::Text2, Text2);
    add(page, kButton, Layout::Command2, Command2);
    const HWND frame1 = frame(page, Layout::Frame1, Frame1);
    add(frame1, kMultiLineText, Layout::Text3, Text3);
    add(page, kText, Layout::Text1, Text1);
    createStatusFrame(page);
    add(page, kButton, Layout::Command3, Command3);
    add(page, kLabel, Layout::Label1, Label1);
    add(page, kLabel, Layout::Label2, Label2);
}

void MainWindowControls::createStatusFrame(HWND page)
{
    const HWND frame2 = frame(page, Layout::Frame2, Frame2);
    add(frame2, kLabel, Layout::Label5, Label5, kStatusFont);
    // Label3's place reaches under Label4's first marks.
    add(frame2, kLabel, Layout::Label4, Label4, kStatusFont);
    add(frame2, kLabel, Layout::Label3, Label3, kStatusFont);
}

void MainWindowControls::createStringPage(HWND window)
{
    const HWND page = frame(window, Layout::Frame5, Frame5);
    createFilterFrame(page);
    createReplaceFrame(page);
    add(page, kButton, Layout::Command4, Command4);
}

void MainWindowControls::createFilterFrame(HWND page)
{
    const HWND frame4 = frame(page, Layout::Frame4, Frame4);
    add(frame4, kText, Layout::Text6, Text6);
    add(frame4, kText, Layout::Text5, Text5);
    add(frame4, kText, Layout::Text4, Text4);
    add(frame4, kLabel, Layout::Label6, Label6);
    add(frame4, kLabel, Layout::Label7, Label7);
    add(frame4, kLabel, Layout::Label8, Label8);
}

void MainWindowControls::createReplaceFrame(HWND page)
{
    const HWND frame6 = frame(page, Layout::Frame6, Frame6);
    add(frame6, kText, Layout::Text7, Text7);
    add(frame6, kText, Layout::Text8, Text8);
    add(frame6, kCheckBox, Layout::Check1, Check1);
    add(frame6, kLabel, Layout::Label9, Label9);
    add(frame6, kLabel, Layout::Label10, Label10);
    add(frame6, kLabel, Layout::Label11, Label11);
}

void MainWindowControls::createHtmlPage(HWND window)
{
    const HWND page = frame(window, Layout::Frame7, Frame7);
    add(page, kScrolledText, Layout::Text9, Text9);
    add(page, kButton, Layout::Command1, Command1);
}

HWND MainWindowControls::createTabStrip(HWND window)
{
    const HWND strip = add(window, kTabStrip, Layout::TabStrip1, TabStrip1);
    TabStrip tabs(strip);
    for (const auto& tab : Layout::kTabs)
        tabs.addTab(tab.caption);
    tabs.select(1);
    return strip;
}

HWND MainWindowControls::control(int id) const
{
    const auto found = m_controls.find(id);
    if (found == m_controls.end())
        throw std::out_of_range("the main window has no control " + std::to_string(id));
    return found->second;
}

std::string MainWindowControls::text(int number) const
{
    // Pasted text may bring lone line feeds along; the template's lines end in CR LF.
    const std::string text = WindowText::get(control(MainControl::text(number)));
    return isMultiLine(number) ? withCrLf(text) : text;
}

void MainWindowControls::setText(int number, std::string_view text)
{
    WindowText::set(control(MainControl::text(number)),
                    isMultiLine(number) ? withCrLf(text) : std::string(text));
}

void MainWindowControls::appendToText9(std::string_view lines)
{
    const HWND box = control(Text9);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<WPARAM>(::GetWindowTextLengthW(box));
    ::SendMessageW(box, EM_SETSEL, length, static_cast<LPARAM>(length));
    const std::wstring added = WideText::fromUtf8(withCrLf(lines));
    ::SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    ::SendMessageW(box, EM_SETSEL, start, static_cast<LPARAM>(end));
}

bool MainWindowControls::isChecked() const
{
    return ::SendMessageW(control(Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindowControls::setChecked(bool checked)
{
    ::SendMessageW(control(Check1), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindowControls::showPage(int page)
{
    for (const int frame : {Frame3, Frame5, Frame7})
        ::ShowWindow(control(frame), frame == page ? SW_SHOW : SW_HIDE);
}

} // namespace corvano
