#pragma once

#include "TabStrip.h"
#include "ui/common/TwipsRect.h"
#include "ui/common/win32/ContainerFrame.h"
#include "ui/common/win32/ControlSet.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace corvano {

// The numbers of the main window's controls, named as designed; tools and tests find the
// controls by them. None is IDOK or IDCANCEL, which the dialog keys send.
namespace MainControl {

enum Id : int
{
    TabStrip1 = 10,
    Frame1 = 21,
    Frame2,
    Frame3,
    Frame4,
    Frame5,
    Frame6,
    Frame7,
    Label1 = 31,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Label9,
    Label10,
    Label11,
    Text1 = 51,
    Text2,
    Text3,
    Text4,
    Text5,
    Text6,
    Text7,
    Text8,
    Text9,
    Command1 = 61,
    Command2,
    Command3,
    Command4,    // "自动识别"
    Check1 = 70, // "补全相对网址"
};

// Text<number>.
constexpr int text(int number)
{
    return Text1 + number - 1;
}

} // namespace MainControl

// The controls of the main window, each at its designed place in its container: the three
// pages over the tab strip, the captioned frames on the pages. The tab strip lies beneath the
// pages and comes last in the Tab order; on each page the order is the designed one.
class MainWindowControls
{
public:
    explicit MainWindowControls(HWND window);

    HWND control(int id) const;
    // Text1 to Text9 by number. Text3 and Text9 are multi-line; their line breaks are CR LF.
    std::string text(int number) const;
    void setText(int number, std::string_view text);
    // At the end, the user's caret and selection kept where they are.
    void appendToText9(std::string_view lines);
    bool isChecked() const;
    void setChecked(bool checked);

    TabStrip& tabs() { return m_tabs; }
    // Frame3, Frame5 or Frame7 shown, the other two hidden, in the order Frame3, Frame5,
    // Frame7.
    void showPage(int page);
    // Places every control for the window's new resolution.
    void rescale(Dpi dpi)
    {
        m_set.rescale(dpi);
        fitToFonts();
    }

private:
    using Kind = ControlSet::Control;

    HWND frame(HWND parent, const ControlLayout& layout, int id);
    HWND add(HWND parent, const Kind& kind, const ControlLayout& layout, int id,
             const FontSpec& font = {});
    void createUrlPage(HWND window);
    void createStatusFrame(HWND page);
    void createHtmlPage(HWND window);
    void createStringPage(HWND window);
    void createFilterFrame(HWND page);
    void createReplaceFrame(HWND page);
    HWND createTabStrip(HWND window);
    // Shrinks each caption that would reach under its text box and shows Text9 in whole
    // lines; again whenever the fonts change with the resolution.
    void fitToFonts();
    void fitCaption(HWND caption, HWND box, std::vector<FontHandle>& fonts);

    ControlSet m_set;
    std::vector<std::unique_ptr<ContainerFrame>> m_frames;
    std::map<int, HWND> m_controls;
    TabStrip m_tabs;
    std::vector<FontHandle> m_captionFonts; // the smaller fonts of fitted captions
};

} // namespace corvano
