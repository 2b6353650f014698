// The Qt main window's driver for the shared scenarios, and what only the Qt window can show:
// its drawing, its dialogs' own texts, input methods, processor time while it waits.
#include "ui/main/qt/MainWindow.h"

#include "../MainWindowDriver.h"
#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "ui/common/qt/QtChinese.h"

#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <thread>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

QString qtext(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string withoutReturns(QString text)
{
    return text.remove('\r').toStdString();
}

// Drives the Qt main window through its widgets, found by their object names. Modal windows
// are answered from a timer: message boxes at once, any other dialog once by onDialog and
// rejected if still open a second later, so that a test fails rather than hangs.
class QtMainWindowDriver : public MainWindowDriver
{
public:
    QtMainWindowDriver()
    {
        const auto page = [this](const httplib::Request& request, httplib::Response& response) {
            {
                const std::lock_guard lock(m_mutex);
                ++m_requests[request.path];
            }
            const auto until =
                std::chrono::steady_clock::now() +
                (request.path == "/hold.html" ? m_hold.load() : std::chrono::milliseconds(0));
            while (!m_release && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            response.set_content(kListPage, "text/html; charset=UTF-8");
        };
        m_server.routes().Get("/list.html", page);
        m_server.routes().Get("/hold.html", page);
        m_server.serve("/lists.html", kListsPage, "text/html; charset=UTF-8");
        // A redirect, for the completion of addresses against the page it leads to.
        m_server.routes().Get("/moved", [](const auto&, auto& response) {
            response.set_redirect("/news/list.html");
        });
        m_server.serve("/news/list.html", R"(<ul class="news"><a href="1.html">第一条</a></ul>)",
                       "text/html; charset=UTF-8");
        m_server.serve("/plain.html", kPlainPage);
        m_server.start();
        onDialog = [](QDialog& dialog) { dialog.reject(); };
        QObject::connect(&m_modalTimer, &QTimer::timeout, [this] { answerModal(); });
        m_modalTimer.start(20);
    }
    ~QtMainWindowDriver() override
    {
        m_window.reset();
        m_release = true;
        m_server.stop();
    }

    void open(bool forARun = true) override
    {
        m_window.reset();
        m_window = std::make_unique<MainWindow>(MainWindow::Options{
            ProgramLocations::portable(m_program.path().string()), std::chrono::seconds(5)});
        m_window->show();
        const std::string texts[] = {url("/list.html"),
                                     m_target.prefix(),
                                     "[InternetShortcut]\nURL=",
                                     R"(<ul class="news">)",
                                     "</ul>",
                                     ".html",
                                     "/news/",
                                     url("/news/")};
        for (const Field field : kFields) {
            if (forARun)
                type(field, texts[textNumber(field) - 1]);
        }
    }
    void close() override { m_window->close(); }
    std::string url(const std::string& path) const override { return m_server.url(path); }
    int requests(const std::string& path) const override
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_requests.find(path);
        return found == m_requests.end() ? 0 : found->second;
    }
    std::string targetFile(const std::string& name) const override { return m_target.file(name); }
    std::string read(const std::string& name) const override
    {
        return std::filesystem::is_regular_file(m_target.file(name)) ? m_target.read(name) : "";
    }
    void makeFolder(const std::string& name) override
    {
        std::filesystem::create_directory(m_target.path() / name);
    }
    bool targetIsEmpty() const override { return std::filesystem::is_empty(m_target.path()); }
    void type(Field field, const std::string& text) override
    {
        const QString box = QString("Text%1").arg(textNumber(field));
        if (field == Field::Template)
            the<QPlainTextEdit>(*m_window, qPrintable(box)).setPlainText(qtext(text).remove('\r'));
        else
            the<QLineEdit>(*m_window, qPrintable(box)).setText(qtext(text));
    }
    std::string text(Field field) const override { return m_window->text(field); }
    std::string linkList() const override
    {
        return withoutReturns(the<QPlainTextEdit>(*m_window, "Text9").toPlainText());
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
        the<QTabBar>(*m_window, "TabStrip1Tabs").setTabText(position - 1, qtext(caption));
    }
    int selectedTab() const override
    {
        return the<QTabBar>(*m_window, "TabStrip1Tabs").currentIndex() + 1;
    }
    std::string page() const override
    {
        for (const char* frame : {"Frame3", "Frame5", "Frame7"}) {
            if (the(*m_window, frame).isVisible())
                return frame;
        }
        return {};
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
    std::vector<std::string> saveListAs(const std::string& path) override
    {
        std::vector<std::string> types;
        onDialog = [&](QDialog& dialog) {
            const auto& combo = the<QComboBox>(dialog, "fileTypeCombo");
            for (int i = 0; i < combo.count(); ++i)
                types.push_back(combo.itemText(i).toStdString());
            the<QLineEdit>(dialog, "fileNameEdit").setText(qtext(path));
            dialog.accept();
        };
        press("Command1");
        return types;
    }
    void later(std::chrono::milliseconds delay, std::function<void()> action) override
    {
        QTimer::singleShot(delay, m_window.get(), std::move(action));
    }
    void wait(std::chrono::milliseconds time) override
    {
        QTest::qWait(static_cast<int>(time.count()));
    }

    MainWindow& window() { return *m_window; }
    TemporaryFolder& program() { return m_program; }
    // The hold page comes after this long, or when the driver goes.
    void holdFor(std::chrono::milliseconds time) { m_hold = time; }
    std::function<void(QDialog&)> onDialog;
    std::vector<std::string> okTexts; // the caption of the button pressed in each box
    std::vector<std::string> icons;   // and the icon it showed

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
            m_messages.push_back({box->windowTitle().toStdString(), withoutReturns(box->text()),
                                  !okOnly, m_window ? m_window->caption(StatusLabel::Label3) : ""});
            QAbstractButton* answer = box->button(okOnly        ? QMessageBox::Ok
                                                  : m_answerYes ? QMessageBox::Yes
                                                                : QMessageBox::No);
            okTexts.push_back(answer->text().toStdString());
            icons.push_back(QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()));
            answer->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            m_polls = dialog == m_lastDialog ? m_polls + 1 : 0;
            m_lastDialog = dialog;
            if (m_polls == 0)
                onDialog(*dialog);
            else if (m_polls > 50)
                dialog->reject();
        }
    }

    LoopbackServer m_server;
    mutable std::mutex m_mutex;
    std::map<std::string, int> m_requests;
    std::atomic<std::chrono::milliseconds> m_hold{std::chrono::seconds(10)};
    std::atomic_bool m_release{false};
    QTimer m_modalTimer;
    bool m_answerYes = true;
    std::vector<ShownMessage> m_messages;
    QPointer<QDialog> m_lastDialog; // cleared when it is destroyed, so a new one is new
    int m_polls = 0;
    TemporaryFolder m_program;
    TemporaryFolder m_target;
    std::unique_ptr<MainWindow> m_window;
};

// Types text as an input method commits it, a character at a time (keyClicks cannot type CJK).
void typeText(QWidget& widget, const QString& text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUcs4(&codePoint, 1));
        QApplication::sendEvent(&widget, &commit);
    }
}

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

class QtMainWindowTest : public ::testing::Test
{
protected:
    QWidget& the(const char* name) { return QtMainWindowDriver::the(driver.window(), name); }

    QtMainWindowDriver driver;
};

} // namespace

std::unique_ptr<MainWindowDriver> corvano::test::makeMainWindowDriver()
{
    return std::make_unique<QtMainWindowDriver>();
}

// Boxes and the save dialog speak Chinese, down to the dialog's type column; its one filter's
// pattern shows once.
TEST_F(QtMainWindowTest, BoxesAndTheSaveDialogSpeakChinese)
{
    driver.open();
    driver.press("Command3");
    EXPECT_EQ(driver.okTexts, std::vector<std::string>{"确定"});
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

// Each box carries the icon of its kind, and its buttons speak Chinese.
TEST_F(QtMainWindowTest, EachBoxCarriesTheIconOfItsKind)
{
    driver.open();
    driver.makeFolder("第二条.url");
    driver.press("Command3");
    driver.type(Field::Template, "");
    driver.type(Field::Contains, "/news/1");
    driver.press("Command3");
    driver.type(Field::Start, "<ol>");
    driver.press("Command3");
    EXPECT_EQ(driver.icons,
              (std::vector<std::string>{"Critical", "Question", "Information", "Warning"}));
    EXPECT_EQ(driver.okTexts, (std::vector<std::string>{"确定", "是(&Y)", "确定", "确定"}));
}

// Frames' top lines run above the controls inside them; captions end before their boxes,
// which would hide the rest; "自动识别" sits in the string page's free room.
TEST_F(QtMainWindowTest, FramesCaptionsAndTheSuggestButtonFit)
{
    driver.open(false);
    for (const auto& [tab, frame] :
         {std::pair{1, "Frame1"}, {1, "Frame2"}, {3, "Frame4"}, {3, "Frame6"}}) {
        driver.clickTab(tab);
        const int line = topLineOf(the(frame));
        for (const QWidget* control :
             the(frame).findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            EXPECT_GT(control->y(), line + 1) << control->objectName().toStdString();
    }
    for (const auto& [caption, box] : {std::pair{"Label1", "Text1"},
                                       {"Label2", "Text2"},
                                       {"Label6", "Text4"},
                                       {"Label7", "Text5"},
                                       {"Label8", "Text6"},
                                       {"Label9", "Text7"},
                                       {"Label10", "Text8"}}) {
        const auto& label = dynamic_cast<QLabel&>(the(caption));
        EXPECT_LT(label.x() + QFontMetrics(label.font()).boundingRect(label.text()).right(),
                  the(box).x())
            << caption;
    }
    const QWidget& button = the("Command4");
    EXPECT_TRUE(the("Frame5").rect().contains(button.geometry()));
    for (const QWidget* control :
         the("Frame5").findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(control == &button || !control->geometry().intersects(button.geometry()))
            << control->objectName().toStdString();
}

// While a run waits for its page the window takes tab clicks and typing (an input method's),
// ignores a second press and stays near 0 % CPU.
TEST_F(QtMainWindowTest, AWaitingRunKeepsTheWindowLiveAndIdle)
{
    driver.open();
    driver.holdFor(1500ms);
    const std::string hold = driver.url("/hold.html");
    driver.type(Field::Address, hold);
    std::vector<std::string> seen; // the page and Label3 while the run waits
    double cpuAtStart = 0;
    double busy = 0; // share of one core
    QElapsedTimer waited;
    driver.later(200ms, [&] {
        driver.clickTab(2);
        typeText(the("Text1"), " 备注");
        driver.press("Command3");
        cpuAtStart = double(std::clock()) / CLOCKS_PER_SEC;
        waited.start();
    });
    driver.later(1200ms, [&] {
        busy = (double(std::clock()) / CLOCKS_PER_SEC - cpuAtStart) * 1000 / waited.elapsed();
        seen = {driver.page(), driver.caption(StatusLabel::Label3)};
    });
    driver.press("Command3");
    EXPECT_EQ(seen, (std::vector<std::string>{"Frame7", "获取列表"}));
    EXPECT_EQ(driver.text(Field::Address), hold + " 备注");
    EXPECT_EQ(driver.requests("/hold.html"), 1);
    EXPECT_EQ(driver.takeMessages().size(), 1u);
    EXPECT_LT(busy, 0.10) << "share of one core";
}

// "补全相对网址" is off in a new window; a click on its box turns it on, and a run then
// completes the addresses against the page it was redirected to; its state is saved as a
// ninth piece of db.dat.
TEST_F(QtMainWindowTest, TheCompletionBoxIsClickedAndSavedAsANinthPiece)
{
    driver.open();
    auto& box = dynamic_cast<QCheckBox&>(the("Check1"));
    EXPECT_FALSE(box.isChecked());
    EXPECT_LE(box.sizeHint().height(), box.height());
    driver.type(Field::Address, driver.url("/moved"));
    driver.type(Field::OldText, "");
    driver.clickTab(3);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, box.height() / 2));
    driver.press("Command3");
    EXPECT_EQ(driver.read("第一条.url"),
              "[InternetShortcut]\r\nURL=" + driver.url("/news/1.html") + "\r\n");
    for (const char* ninth : {"##1 ", " "}) {
        driver.close();
        EXPECT_NE(driver.program().read("db.dat").find("####" + driver.url("/news/") + ninth),
                  std::string::npos);
        driver.open(false);
        dynamic_cast<QCheckBox&>(the("Check1")).setChecked(false);
    }
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (!QtChinese::install(application))
        return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
