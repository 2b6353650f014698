#pragma once

#include "MainWindowControls.h"
#include "engine/GenerationRun.h"
#include "engine/MainSurface.h"
#include "engine/SuggestionRun.h"
#include "platform/CurlTransfer.h"
#include "platform/LocalFileSystem.h"
#include "platform/ProgramLocations.h"
#include "ui/common/qt/QtEventPoster.h"
#include "writers/OutputWriters.h"

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <optional>
#include <string>

class QFrame;
class QLabel;

namespace corvano {

// The main window (the designer's form "curl", its object name): the generation run's fields, its
// status, the HTML list and the extraction strings on three tab pages. It restores its eight texts
// from db.dat (where ProgramLocations keeps it) when it loads and saves them there when it
// closes.
class MainWindow : public QWidget, public MainSurface
{
    Q_OBJECT

public:
    struct Options
    {
        // Where db.dat, the log and the fallback folder are; empty: the running program's.
        std::optional<ProgramLocations> locations;
        std::chrono::seconds idleLimit = CurlTransfer::kDefaultIdleLimit;
    };

    MainWindow() : MainWindow(Options{}) {}
    explicit MainWindow(Options options);

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
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    void Form_Load();
    void Form_Unload();
    void useOwnFontSize();
    void restoreTexts();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void showProposal(const ListProposal& proposal);
    void TabStrip1_Click();
    void showPage(const QFrame* page);
    QLabel* labelOf(StatusLabel label) const;
    QTimer& timerOf(RunTimer timer);
    std::string dbPath() const;

    ProgramLocations m_locations;
    LocalFileSystem m_files;
    QtEventPoster m_poster;
    CurlTransfer m_transfer;
    OutputWriters m_writers;
    GenerationRun m_run;
    MainWindowControls m_controls;
    // The suggestion fetches on its own transfer, so that a run's transfer keeps its handler.
    CurlTransfer m_suggestionTransfer;
    SuggestionRun m_suggestion;
    QTimer m_timer2;
    QTimer m_timer3;
    bool m_unloaded = false;
};

} // namespace corvano
