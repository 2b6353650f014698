#pragma once

#include "MainWindowControls.h"
#include "engine/GenerationRun.h"
#include "engine/MainSurface.h"
#include "engine/SuggestionRun.h"
#include "platform/PlatformTransfer.h"
#include "platform/ProgramLocations.h"
#include "platform/win32/Win32FileSystem.h"
#include "ui/common/win32/Win32EventPoster.h"
#include "ui/common/win32/Window.h"
#include "writers/OutputWriters.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace corvano {

// The main window (the designer's form "curl", its window class): the generation run's
// fields, its status, the HTML list and the extraction strings on three tab pages. It
// restores its eight texts from db.dat when it loads and saves them there when it closes.
class MainWindow : public Window, public MainSurface
{
public:
    struct Options
    {
        // Where db.dat, the log and the fallback folder are; empty: the running program's.
        std::optional<ProgramLocations> locations;
        std::chrono::seconds idleLimit = PlatformTransfer::kDefaultIdleLimit;
        // Called once, after the window has closed and saved; it may end the program's
        // message loop but must not destroy this object.
        std::function<void()> closed;
    };

    MainWindow() : MainWindow(Options{}) {}
    explicit MainWindow(Options options);
    ~MainWindow() override;

    void show();

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void focusText(Field field) override;
    bool completesAddresses() const override;
    void appendToText9(std::string_view lines) override;
    std::string caption(StatusLabel label) const override;
    void setCaption(StatusLabel label, std::string_view caption) override;
    void setTimerEnabled(RunTimer timer, bool enabled) override;
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override;
    bool askYesNo(std::string_view text, std::string_view title) override;
    void processEvents() override;
    void showStringSettings(Field focus) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void createWindow();
    void fitClientArea(Dpi dpi);
    void Form_Load();
    void restoreTexts();
    void Form_Unload();
    void close();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void showProposal(const ListProposal& proposal);
    void TabStrip1_Click();
    void onCommand(int id, int code);
    void onActivate(bool active);
    void onDpiChanged(int dotsPerInch, const RECT& suggested);
    HWND labelOf(StatusLabel label) const;

    Options m_options;
    ProgramLocations m_locations;
    Win32FileSystem m_files;
    Win32EventPoster m_poster;
    PlatformTransfer m_transfer;
    OutputWriters m_writers;
    GenerationRun m_run;
    // The suggestion fetches on its own transfer, so that a run's transfer keeps its handler.
    PlatformTransfer m_suggestionTransfer;
    SuggestionRun m_suggestion;
    std::optional<MainWindowControls> m_controls; // once the window exists
    std::array<bool, 2> m_timerOn{};              // Timer2, Timer3
    HWND m_focus = nullptr;                       // the control that gets the focus back
    bool m_unloaded = false;
};

} // namespace corvano
