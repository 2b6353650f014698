// The Qt main window's driver for the shared scenarios, and what only the Qt window can show:
// its drawing and its dialogs' own texts.
#include "ui/main/qt/MainWindow.h"

#include "../MainWindowDriver.h"
#include "TemporaryFolder.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

// Modal windows are answered from a timer: message boxes at once, any other dialog once by
// onDialog and rejected if still open a second later, so that a test fails rather than hangs.
class QtMainWindowDriver : public MainWindowDriver
{
public:
    QtMainWindowDriver()
    {
        onDialog = [](QDialog& dialog) { dialog.reject(); };
        QObject::connect(&m_modalTimer, &QTimer::timeout, [this] { answerModal(); });
        m_modalTimer.start(20);
    }

    void open() override
    {
        m_window.reset();
        m_window = std::make_unique<MainWindow>(MainWindow::Options{
            ProgramLocations::portable(m_program.path().string()), std::chrono::seconds(5)});
        m_window->show();
    }
    void close() override { m_window->close(); }
    std::string targetFile(const std::string& name) const override { return m_target.file(name); }
    void type(Field field, const std::string& text) override
    {
        const QString box = QString("Text%1").arg(textNumber(field));
        if (field == Field::Template)
            the<QPlainTextEdit>(*m_window, qPrintable(box))
                .setPlainText(QString::fromStdString(text).remove('\r'));
        else
            the<QLineEdit>(*m_window, qPrintable(box)).setText(QString::fromStdString(text));
    }
    std::string text(Field field) const override { return m_window->text(field); }
    std::string linkList() const override
    {
        return withoutReturns(the<QPlainTextEdit>(*m_window, "Text9").toPlainText().toStdString());
    }
    std::string caption(StatusLabel label) const override { return m_window->caption(label); }
    bool isChecked() const override { return the<QCheckBox>(*m_window, "Check1").isChecked(); }
    void press(const std::string& control) override
    {
        the<QAbstractButton>(*m_window, control.c_str()).click();
    }
    void clickTab(int position) override
    {
        auto& tabs = the<QTabBar>(*m_window, "TabStrip1Tabs");
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(position - 1).center());
    }
    void renameTab(int position, const std::string& caption) override
    {
        the<QTabBar>(*m_window, "TabStrip1Tabs")
            .setTabText(position - 1, QString::fromStdString(caption));
    }
    int selectedTab() const override
    {
        return the<QTabBar>(*m_window, "TabStrip1Tabs").currentIndex() + 1;
    }
    bool isVisible(const std::string& control) const override
    {
        return the(*m_window, control.c_str()).isVisible();
    }
    std::string focused() const override
    {
        const QWidget* focus = m_window->focusWidget();
        return focus ? focus->objectName().toStdString() : "";
    }
    void answerQuestionsWith(bool yes) override { m_answerYes = yes; }
    std::vector<ShownMessage> takeMessages() override { return std::exchange(m_messages, {}); }
    void browse(const std::string& answer) override
    {
        onDialog = [answer](QDialog& picker) {
            if (answer.empty())
                picker.close();
            else
                the<QPushButton>(picker, answer == "确定" ? "Command1" : "Command2").click();
        };
        press("Command2");
    }
    void saveListAs(const std::string& path) override
    {
        onDialog = [path](QDialog& dialog) {
            the<QLineEdit>(dialog, "fileNameEdit").setText(QString::fromStdString(path));
            dialog.accept();
        };
        press("Command1");
    }
    void later(std::chrono::milliseconds delay, std::function<void()> action) override
    {
        QTimer::singleShot(delay, m_window.get(), std::move(action));
    }

    MainWindow& window() { return *m_window; }
    std::function<void(QDialog&)> onDialog;

    template <typename Widget = QWidget> static Widget& the(const QWidget& parent, const char* name)
    {
        if (auto* found = parent.findChild<Widget*>(name))
            return *found;
        throw std::logic_error(std::string("no control ") + name);
    }

private:
    void answerModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const bool okOnly = box->standardButtons() == QMessageBox::Ok;
            m_messages.push_back({box->windowTitle().toStdString(),
                                  withoutReturns(box->text().toStdString()), !okOnly,
                                  m_window ? m_window->caption(StatusLabel::Label3) : ""});
            box->button(okOnly        ? QMessageBox::Ok
                        : m_answerYes ? QMessageBox::Yes
                                      : QMessageBox::No)
                ->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            m_polls = dialog == m_lastDialog ? m_polls + 1 : 0;
            m_lastDialog = dialog;
            if (m_polls == 0)
                onDialog(*dialog);
            else if (m_polls > 50)
                dialog->reject();
        }
    }

    QTimer m_modalTimer;
    bool m_answerYes = true;
    std::vector<ShownMessage> m_messages;
    QPointer<QDialog> m_lastDialog; // cleared when it is destroyed, so a new one is new
    int m_polls = 0;
    TemporaryFolder m_program;
    TemporaryFolder m_target;
    std::unique_ptr<MainWindow> m_window;
};

// The first row of a frame's top line: down a column near its right edge, where no control
// lies, the first pixel that is not the background.
int topLineOf(QWidget& frame)
{
    const QImage image = frame.grab().toImage();
    const QColor background = frame.palette().color(QPalette::Window);
    const int x = image.width() - 5;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(x, y) != background)
            return y;
    }
    return image.height();
}

} // namespace

std::unique_ptr<MainWindowDriver> corvano::test::makeMainWindowDriver()
{
    return std::make_unique<QtMainWindowDriver>();
}

// The save dialog speaks Chinese, down to its type column.
TEST(QtMainWindowTest, TheSaveDialogSpeaksChinese)
{
    QtMainWindowDriver driver;
    driver.open();
    std::vector<QString> texts;
    driver.onDialog = [&](QDialog& dialog) {
        texts.push_back(dialog.windowTitle());
        for (const auto* label : dialog.findChildren<QLabel*>())
            texts.push_back(label->isVisible() ? label->text() : QString());
        for (const auto* button : dialog.findChildren<QPushButton*>())
            texts.push_back(button->isVisible() ? button->text() : QString());
        // The list's type column asks this provider (the list fills in the background).
        const auto& fileDialog = dynamic_cast<QFileDialog&>(dialog);
        texts.push_back(fileDialog.iconProvider()->type(QFileInfo(QDir::tempPath())));
        dialog.reject();
    };
    driver.press("Command1");
    EXPECT_GT(texts.size(), 4u);
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QRegularExpression("[A-Za-z]{2}"))) << text.toStdString();
}

// A style's frame would draw its top line below the controls placed a caption's height down;
// a caption that reached its box would be hidden.
TEST(QtMainWindowTest, FramesAndCaptionsFit)
{
    QtMainWindowDriver driver;
    driver.open();
    const auto the = [&](const char* name) -> QWidget& {
        return QtMainWindowDriver::the(driver.window(), name);
    };
    for (const auto& [tab, frame] : {std::pair{1, "Frame1"}, {3, "Frame6"}}) {
        driver.clickTab(tab);
        const int line = topLineOf(the(frame));
        for (const QWidget* control :
             the(frame).findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            EXPECT_GT(control->y(), line + 1) << control->objectName().toStdString();
    }
    for (const auto& [caption, box] :
         {std::pair{"Label1", "Text1"}, {"Label6", "Text4"}, {"Label10", "Text8"}}) {
        const auto& label = dynamic_cast<QLabel&>(the(caption));
        EXPECT_LT(label.x() + QFontMetrics(label.font()).boundingRect(label.text()).right(),
                  the(box).x())
            << caption;
    }
}
