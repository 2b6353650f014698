#include "MainWindow.h"

#include "SaveDialog.h"
#include "TabStrip.h"
#include "platform/FileError.h"
#include "settings/WindowSettings.h"
#include "ui/common/qt/CenterForm.h"
#include "ui/common/qt/MessageBox.h"
#include "ui/common/qt/Twips.h"
#include "ui/common/qt/WindowIcon.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/picker/PickedFolder.h"
#include "ui/picker/qt/FolderPicker.h"
#include "writers/WriteFailure.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace corvano {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainWindow::MainWindow(Options options)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_locations(options.locations ? *options.locations : ProgramLocations::detect()),
      m_poster(*this), m_transfer(m_poster, options.idleLimit),
      m_writers(*this, m_files, m_locations.fallbackFolder()),
      m_run(*this, m_transfer, m_writers, m_files, m_locations.logFolder()), m_controls(*this),
      m_suggestionTransfer(m_poster, options.idleLimit),
      m_suggestion(*this, m_suggestionTransfer,
                   [this](const ListProposal& proposal) { showProposal(proposal); })
{
    // The user's folders of an installed copy may not exist yet; the texts are saved there.
    m_locations.createFolders();
    setObjectName("curl");
    setWindowTitle(MainWindowLayout::kTitle);
    setWindowIcon(WindowIcon::icon());
    setFixedSize(Twips::toPixels(MainWindowLayout::kClientWidth),
                 Twips::toPixels(MainWindowLayout::kClientHeight));
    connectHandlers();
    m_controls.textBox(2)->setFocus();
    Form_Load();
}

void MainWindow::connectHandlers()
{
    connect(m_controls.Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(m_controls.Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    // Neither button starts while the other waits for its page.
    connect(m_controls.Command3, &QPushButton::clicked, this, [this] {
        if (!m_suggestion.running())
            Command3_Click();
    });
    connect(m_controls.Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(m_controls.TabStrip1, &TabStrip::Click, this, &MainWindow::TabStrip1_Click);
    connect(&m_timer2, &QTimer::timeout, this, [this] { m_run.Timer2_Timer(); });
    connect(&m_timer3, &QTimer::timeout, this, [this] {
        if (m_suggestion.running())
            m_suggestion.Timer3_Timer();
        else
            m_run.Timer3_Timer();
    });
}

void MainWindow::Form_Load()
{
    useOwnFontSize();
    restoreTexts();
    for (QTimer* timer : {&m_timer2, &m_timer3}) {
        timer->setInterval(kTimerInterval);
        timer->stop();
    }
    CenterForm(*this);
}

void MainWindow::useOwnFontSize()
{
    // The window's own font is 12 points; its controls keep the user interface's size.
    QFont controls = QApplication::font();
    if (controls.pointSizeF() > 0)
        controls.setPointSizeF(controls.pointSizeF());
    else
        controls.setPixelSize(controls.pixelSize());
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->setFont(controls);
    QFont own = font();
    own.setPointSize(12);
    setFont(own);
    m_controls.fitCaptions();
    m_controls.fitText9();
}

void MainWindow::restoreTexts()
{
    const SavedSettings::Values values = WindowSettings::restore(*this, m_files, dbPath());
    for (const Field field : kFields)
        m_controls.setText(textNumber(field), QString::fromStdString(values.texts[field]));
    m_controls.Check1->setChecked(values.completeAddresses);
}

void MainWindow::Form_Unload()
{
    WindowSettings::save(*this, m_files, dbPath());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        // A run that waits for its page stops waiting once the transfer has stopped.
        m_run.abort();
        m_suggestion.abort();
        Form_Unload();
    }
    event->accept();
}

void MainWindow::Command1_Click()
{
    HtmlListBuilder& html = m_writers.html();
    html.MakeHtmlList(m_run.LinkList());
    const QString path = SaveDialog::ShowSave(*this);
    if (path.isEmpty())
        return;
    try {
        html.save(m_files, path.toStdString());
    } catch (const FileError& error) {
        WriteFailure::report(*this, error);
    }
}

void MainWindow::Command2_Click()
{
    FolderPicker picker(this);
    // Only "确定" changes the target folder: "取消", Esc and the close box keep the text there,
    // which may be a restored folder the user has not yet confirmed in this run.
    if (picker.exec() == QDialog::Accepted)
        m_controls.setText(2, QString::fromStdString(PickedFolder::value()));
}

void MainWindow::Command3_Click()
{
    // The run reports everything itself; a press while a run waits is ignored by it. A page on
    // which no link passes the filter gets no box, so the count shows that the button worked.
    if (m_run.Command3_Click() == RunOutcome::NoLinks)
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
    m_controls.setText(textNumber(Field::Start), fromUtf8(proposal.start));
    m_controls.setText(textNumber(Field::End), fromUtf8(proposal.end));
    m_controls.setText(textNumber(Field::Contains), fromUtf8(proposal.contains));
}

void MainWindow::TabStrip1_Click()
{
    const QString caption = m_controls.TabStrip1->selectedCaption();
    if (caption == "生成URL")
        showPage(m_controls.Frame3);
    else if (caption == "生成HTML")
        showPage(m_controls.Frame7);
    else if (caption == "字符串设置")
        showPage(m_controls.Frame5);
}

void MainWindow::showPage(const QFrame* page)
{
    for (QFrame* frame : {m_controls.Frame3, m_controls.Frame5, m_controls.Frame7})
        frame->setVisible(frame == page);
}

void MainWindow::showStringSettings(Field focus)
{
    m_controls.TabStrip1->selectTab(3);
    showPage(m_controls.Frame5);
    m_controls.textBox(textNumber(focus))->setFocus();
}

std::string MainWindow::text(Field field) const
{
    return m_controls.text(textNumber(field)).toStdString();
}

void MainWindow::setText(Field field, std::string_view text)
{
    m_controls.setText(textNumber(field), fromUtf8(text));
}

void MainWindow::focusText(Field field)
{
    m_controls.textBox(textNumber(field))->setFocus();
}

bool MainWindow::completesAddresses() const
{
    return m_controls.Check1->isChecked();
}

void MainWindow::appendToText9(std::string_view lines)
{
    m_controls.appendToText9(fromUtf8(lines));
}

QLabel* MainWindow::labelOf(StatusLabel label) const
{
    switch (label) {
    case StatusLabel::Label3:
        return m_controls.Label3;
    case StatusLabel::Label4:
        return m_controls.Label4;
    case StatusLabel::Label5:
        break;
    }
    return m_controls.Label5;
}

std::string MainWindow::caption(StatusLabel label) const
{
    return labelOf(label)->text().toStdString();
}

void MainWindow::setCaption(StatusLabel label, std::string_view caption)
{
    labelOf(label)->setText(fromUtf8(caption));
}

QTimer& MainWindow::timerOf(RunTimer timer)
{
    return timer == RunTimer::Timer2 ? m_timer2 : m_timer3;
}

void MainWindow::setTimerEnabled(RunTimer timer, bool enabled)
{
    QTimer& qtimer = timerOf(timer);
    // Enabling a running timer keeps its rhythm rather than starting the interval again.
    if (!enabled)
        qtimer.stop();
    else if (!qtimer.isActive())
        qtimer.start();
}

void MainWindow::showMessage(std::string_view text, std::string_view title, MessageStyle style)
{
    MessageBox::show(this, fromUtf8(text), fromUtf8(title), style);
}

bool MainWindow::askYesNo(std::string_view text, std::string_view title)
{
    return MessageBox::ask(this, fromUtf8(text), fromUtf8(title));
}

void MainWindow::processEvents()
{
    // Blocks until something arrives (a click, a timer tick, the transfer's news), so a
    // waiting run costs no processor time.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

std::string MainWindow::dbPath() const
{
    return m_locations.settingsFile();
}

} // namespace corvano
