#include "MainWindow.h"

#include "SaveDialog.h"
#include "platform/FileError.h"
#include "platform/win32/WideText.h"
#include "settings/WindowSettings.h"
#include "ui/common/win32/CenterForm.h"
#include "ui/common/win32/EventLoop.h"
#include "ui/common/win32/MessageBox.h"
#include "ui/common/win32/WindowText.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/picker/PickedFolder.h"
#include "ui/picker/win32/FolderPicker.h"
#include "writers/WriteFailure.h"

#include <commctrl.h>
#include <utility>

namespace corvano {

namespace Layout = MainWindowLayout;

namespace {

// A fixed single border with the close box alone: no minimize or maximize box, no sizing.
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr UINT_PTR kTimer2 = 2;
constexpr UINT_PTR kTimer3 = 3;

// The page each tab caption shows; a caption that is none of these changes nothing.
const std::pair<const char*, int> kPages[] = {{Layout::kTabs[0].caption, MainControl::Frame3},
                                              {Layout::kTabs[1].caption, MainControl::Frame7},
                                              {Layout::kTabs[2].caption, MainControl::Frame5}};

// The outer size that gives the designed client area at this resolution, as the system
// reckons its borders.
SIZE outerSize(Dpi dpi)
{
    RECT rect{0, 0, dpi.pixels(Layout::kClientWidth), dpi.pixels(Layout::kClientHeight)};
    dpi.adjustWindowRect(rect, kStyle, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

MainWindow::MainWindow(Options options)
    : m_options(std::move(options)),
      m_locations(m_options.locations ? *m_options.locations : ProgramLocations::detect()),
      m_transfer(m_poster, m_options.idleLimit),
      m_writers(*this, m_files, m_locations.fallbackFolder()),
      m_run(*this, m_transfer, m_writers, m_files, m_locations.logFolder()),
      m_suggestionTransfer(m_poster, m_options.idleLimit),
      m_suggestion(*this, m_suggestionTransfer,
                   [this](const ListProposal& proposal) { showProposal(proposal); })
{
    m_locations.createFolders();
    createWindow();
    m_controls.emplace(handle());
    m_focus = m_controls->control(MainControl::Text2);
    Form_Load();
}

MainWindow::~MainWindow()
{
    // Its destruction reaches handleMessage, which needs this object whole.
    destroy();
}

void MainWindow::createWindow()
{
    const SIZE size = outerSize(Dpi::system());
    create({.className = L"curl",
            .style = kStyle,
            .title = WideText::fromUtf8(Layout::kTitle),
            .place = {0, 0, size.cx, size.cy}});
    fitClientArea(Dpi::of(handle()));
}

void MainWindow::fitClientArea(Dpi dpi)
{
    // The borders as they are drawn, which the system's reckoning need not match.
    RECT outer;
    RECT client;
    ::GetWindowRect(handle(), &outer);
    ::GetClientRect(handle(), &client);
    const int width = dpi.pixels(Layout::kClientWidth) + (outer.right - outer.left) - client.right;
    const int height =
        dpi.pixels(Layout::kClientHeight) + (outer.bottom - outer.top) - client.bottom;
    ::SetWindowPos(handle(), nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::show()
{
    ::ShowWindow(handle(), SW_SHOW);
    ::UpdateWindow(handle());
    ::SetFocus(m_focus);
}

void MainWindow::Form_Load()
{
    restoreTexts();
    for (const RunTimer timer : {RunTimer::Timer2, RunTimer::Timer3})
        setTimerEnabled(timer, false);
    CenterForm(handle());
}

void MainWindow::restoreTexts()
{
    const SavedSettings::Values values =
        WindowSettings::restore(*this, m_files, m_locations.settingsFile());
    for (const Field field : kFields)
        m_controls->setText(textNumber(field), values.texts[field]);
    m_controls->setChecked(values.completeAddresses);
}

void MainWindow::Form_Unload()
{
    WindowSettings::save(*this, m_files, m_locations.settingsFile());
}

void MainWindow::close()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // A run that waits for its page stops waiting once the transfer has stopped.
    m_run.abort();
    m_suggestion.abort();
    Form_Unload();
    destroy();
    if (m_options.closed)
        m_options.closed();
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == MainControl::TabStrip1 && header.code == TCN_SELCHANGE)
            TabStrip1_Click();
        return 0;
    }
    case WM_TIMER:
        if (wParam == kTimer2)
            m_run.Timer2_Timer();
        else if (wParam == kTimer3 && m_suggestion.running())
            m_suggestion.Timer3_Timer();
        else if (wParam == kTimer3)
            m_run.Timer3_Timer();
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    case WM_ENDSESSION:
        // The user logs off or shuts down: the texts are saved as at a close.
        if (wParam)
            close();
        return 0;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        for (const UINT_PTR timer : {kTimer2, kTimer3})
            ::KillTimer(handle(), timer);
        m_timerOn = {};
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

void MainWindow::onCommand(int id, int code)
{
    if (code != BN_CLICKED || !m_controls)
        return;
    switch (id) {
    case MainControl::Command1:
        Command1_Click();
        break;
    case MainControl::Command2:
        Command2_Click();
        break;
    case MainControl::Command3:
        // Neither button starts while the other waits for its page.
        if (!m_suggestion.running())
            Command3_Click();
        break;
    case MainControl::Command4:
        Command4_Click();
        break;
    default:
        break;
    }
}

void MainWindow::onActivate(bool active)
{
    // The focus leaves with the window and comes back to the same control, as in a dialog.
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(handle(), focus))
            m_focus = focus;
    } else {
        ::SetFocus(m_focus && ::IsWindow(m_focus) ? m_focus : handle());
    }
}

void MainWindow::onDpiChanged(int dotsPerInch, const RECT& suggested)
{
    if (!m_controls)
        return;
    ::SetWindowPos(handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const Dpi dpi(dotsPerInch);
    m_controls->rescale(dpi);
    fitClientArea(dpi);
}

void MainWindow::Command1_Click()
{
    HtmlListBuilder& html = m_writers.html();
    html.MakeHtmlList(m_run.LinkList());
    const std::string path = SaveDialog::ShowSave(handle());
    if (path.empty())
        return;
    try {
        html.save(m_files, path);
    } catch (const FileError& error) {
        WriteFailure::report(*this, error);
    }
}

void MainWindow::Command2_Click()
{
    FolderPicker picker;
    // Only "确定" changes the target folder: "取消", Esc and the close box keep the text there,
    // which may be a restored folder the user has not yet confirmed in this run.
    if (picker.showModal(handle()))
        m_controls->setText(textNumber(Field::Folder), PickedFolder::value());
}

void MainWindow::Command3_Click()
{
    // The run reports everything itself; a press while a run waits is ignored by it. A page on
    // which no link passes the filter gets no box, so the count shows that the button worked.
    if (m_run.Command3_Click() == RunOutcome::NoLinks && m_controls)
        setCaption(StatusLabel::Label5, UrlFileWriter::countCaption(0));
}

void MainWindow::Command4_Click()
{
    // The suggestion reports everything itself and ignores a press while it waits.
    if (!m_run.running())
        m_suggestion.suggest();
}

void MainWindow::showProposal(const ListProposal& proposal)
{
    m_controls->setText(textNumber(Field::Start), proposal.start);
    m_controls->setText(textNumber(Field::End), proposal.end);
    m_controls->setText(textNumber(Field::Contains), proposal.contains);
}

void MainWindow::TabStrip1_Click()
{
    const std::string caption = m_controls->tabs().selectedCaption();
    for (const auto& [tabCaption, page] : kPages) {
        if (caption == tabCaption) {
            m_controls->showPage(page);
            return;
        }
    }
}

void MainWindow::showStringSettings(Field focus)
{
    m_controls->tabs().select(3);
    m_controls->showPage(MainControl::Frame5);
    m_focus = m_controls->control(MainControl::text(textNumber(focus)));
    ::SetFocus(m_focus);
}

std::string MainWindow::text(Field field) const
{
    return m_controls->text(textNumber(field));
}

void MainWindow::setText(Field field, std::string_view text)
{
    m_controls->setText(textNumber(field), text);
}

void MainWindow::focusText(Field field)
{
    m_focus = m_controls->control(MainControl::text(textNumber(field)));
    ::SetFocus(m_focus);
}

bool MainWindow::completesAddresses() const
{
    return m_controls->isChecked();
}

void MainWindow::appendToText9(std::string_view lines)
{
    m_controls->appendToText9(lines);
}

HWND MainWindow::labelOf(StatusLabel label) const
{
    switch (label) {
    case StatusLabel::Label3:
        return m_controls->control(MainControl::Label3);
    case StatusLabel::Label4:
        return m_controls->control(MainControl::Label4);
    case StatusLabel::Label5:
        break;
    }
    return m_controls->control(MainControl::Label5);
}

std::string MainWindow::caption(StatusLabel label) const
{
    return WindowText::get(labelOf(label));
}

void MainWindow::setCaption(StatusLabel label, std::string_view caption)
{
    WindowText::set(labelOf(label), caption);
}

void MainWindow::setTimerEnabled(RunTimer timer, bool enabled)
{
    const bool isTimer2 = timer == RunTimer::Timer2;
    bool& on = m_timerOn[isTimer2 ? 0 : 1];
    // Enabling a running timer keeps its rhythm rather than starting the interval again; a
    // closed window has no timers.
    if (on == enabled || !handle())
        return;
    on = enabled;
    const UINT_PTR id = isTimer2 ? kTimer2 : kTimer3;
    if (enabled)
        ::SetTimer(handle(), id, static_cast<UINT>(kTimerInterval.count()), nullptr);
    else
        ::KillTimer(handle(), id);
}

void MainWindow::showMessage(std::string_view text, std::string_view title, MessageStyle style)
{
    MessageBox::show(handle(), text, title, style);
}

bool MainWindow::askYesNo(std::string_view text, std::string_view title)
{
    return MessageBox::ask(handle(), text, title);
}

void MainWindow::processEvents()
{
    // Blocks until something arrives (a click, a timer tick, the transfer's news), so a
    // waiting run costs no processor time.
    EventLoop::processEvents();
}

} // namespace corvano
