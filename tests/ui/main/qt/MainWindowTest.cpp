#include "ui/main/MainWindow.h"

#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"
#include "ui/common/QtChinese.h"
#include "ui/picker/FolderList.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
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
#include <atomic>
#include <ctime>
#include <filesystem>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

const char* const kPage = R"(<ul class="news"><li><a href="/news/1.html">第一条</a></li>
<li><a href="/about.php">关于</a></li><li><a href="/news/2.html">第二条</a></li></ul>)";

// A menu and the list that "自动识别" is to find.
const char* const kListsPage = R"(<p class="menu"><a href="/">首页</a> <a href="/a/">关于</a></p>
<ol class="文章"><li><a href="/p/1.html">春</a></li><li><a href="/p/2.html">夏</a></li>
<li><a href="/p/3.html">秋</a></li><li><a href="/p/4.html">冬</a></li></ol>)";

template <typename Widget = QWidget> Widget& the(const QWidget& window, const char* name)
{
    if (auto* found = window.findChild<Widget*>(name))
        return *found;
    throw std::logic_error(std::string("no control ") + name);
}

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

} // namespace

// The main window, with whole runs against a page served on the loopback interface.
class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(QtChinese::install(*QCoreApplication::instance()));
        const auto page = [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kPage, "text/html; charset=UTF-8");
        };
        m_server.routes().Get("/list.html", page);
        m_server.routes().Get("/moved", [](const auto&, auto& response) {
            response.set_redirect("/news/list.html");
        });
        m_server.routes().Get("/news/list.html", [](const auto&, auto& response) {
            response.set_content(R"(<ul class="news"><a href="1.html">第一条</a></ul>)",
                                 "text/html; charset=UTF-8");
        });
        m_server.routes().Get("/lists.html", [](const auto&, auto& response) {
            response.set_content(kListsPage, "text/html; charset=UTF-8");
        });
        m_server.routes().Get("/hold.html", [this, page](const auto& request, auto& response) {
            ++m_holdRequests;
            for (int i = 0; i < m_holdTicks && !m_release; ++i)
                std::this_thread::sleep_for(10ms);
            page(request, response);
        });
        m_server.start();
        connect(&m_modalTimer, &QTimer::timeout, this, &MainWindowTest::answerModal);
        m_modalTimer.start(20);
    }

    void cleanupTestCase()
    {
        m_release = true;
        m_server.stop();
    }

    void init()
    {
        m_program = std::make_unique<TemporaryFolder>();
        m_target = std::make_unique<TemporaryFolder>();
        m_boxes.clear();
        m_okTexts.clear();
        m_holdRequests = 0;
        m_onDialog = [](QDialog& dialog) { dialog.reject(); };
    }

    void cleanup() { m_window.reset(); }

    // Only "确定" sets Text2: "取消" and the close box leave what is there (a restored folder,
    // say), before and after a confirmed choice.
    void browseCopiesOnlyAConfirmedFolderIntoText2_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("confirmedBefore");
        QTest::newRow("取消 before any choice") << "取消" << false;
        QTest::newRow("确定") << "确定" << false;
        QTest::newRow("取消 after a choice") << "取消" << true;
        QTest::newRow("close box after a choice") << "close box" << true;
    }

    void browseCopiesOnlyAConfirmedFolderIntoText2()
    {
        QFETCH(QString, answer);
        QFETCH(bool, confirmedBefore);
        std::filesystem::create_directory(m_target->path() / "链接");
        const std::string links = m_target->file("链接");
        open(false);
        if (confirmedBefore) {
            m_onDialog = pickerAnswer("确定", links);
            click("Command2");
            QCOMPARE(m_window->text(Field::Folder), links + "/");
        }
        the<QLineEdit>(*m_window, "Text2").setText("/restored/");
        m_onDialog = pickerAnswer(answer, links);
        click("Command2");
        QCOMPARE(m_window->text(Field::Folder), answer == "确定" ? links + "/" : "/restored/");
    }

    // Pages follow the tab captions, not their positions; an extraction error brings up the
    // string settings with the text at fault focused.
    void pagesFollowTheCaptions()
    {
        open();
        QStringList shown;
        for (int tab : {2, 3, 1}) {
            clickTab(tab);
            shown << page();
        }
        the<QTabBar>(*m_window, "TabStrip1Tabs").setTabText(1, "其他");
        clickTab(2);
        QCOMPARE(shown << page(), QStringList({"Frame7", "Frame5", "Frame3", "Frame3"}));
        the<QLineEdit>(*m_window, "Text4").setText("<ol>");
        click("Command3");
        QCOMPARE(m_boxes, QStringList({"字符串错误 (Warning) 起始字符串不存在，请新重设置!"}));
        QCOMPARE(page(), QString("Frame5"));
        QCOMPARE(m_window->focusWidget()->objectName(), QString("Text4"));
        QCOMPARE(m_window->caption(StatusLabel::Label3), "生成失败");
    }

    // A template without "URL=" is questioned before the download: Yes puts in the standard
    // content and the run goes on; No ends it with the caret in Text3 and nothing written.
    void aTemplateWithoutAnAddressIsQuestioned_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("是") << true;
        QTest::newRow("否") << false;
    }

    void aTemplateWithoutAnAddressIsQuestioned()
    {
        QFETCH(bool, yes);
        m_answerYes = yes;
        open();
        the<QPlainTextEdit>(*m_window, "Text3").setPlainText("");
        click("Command3");
        const QString question =
            "URL文件内容 (Question, not OK only) URL文件内容中没有“URL=”，"
            "生成的文件将不含网址。是否使用标准内容？\n[InternetShortcut]\nURL=";
        QCOMPARE(m_okTexts.value(0), yes ? QString("是(&Y)") : QString("否(&N)"));
        if (yes) {
            QCOMPARE(m_boxes,
                     QStringList({question, "URL生成 (Information) 恭喜，URL文件生成完毕！"}));
            QCOMPARE(m_window->text(Field::Template), "[InternetShortcut]\r\nURL=");
            QCOMPARE(m_target->read("第一条.url"),
                     "[InternetShortcut]\r\nURL=" + m_server.url("/news/1.html") + "\r\n");
        } else {
            QCOMPARE(m_boxes, QStringList({question}));
            QCOMPARE(m_window->focusWidget()->objectName(), QString("Text3"));
            QCOMPARE(m_window->text(Field::Template), "");
            QVERIFY(std::filesystem::is_empty(m_target->path()));
        }
    }

    // A whole run: the list, the files and the count; then the save button writes the list
    // through a dialog that speaks Chinese and shows its one filter's pattern once.
    void aRunWritesTheFilesAndTheSaveButtonTheList()
    {
        open();
        click("Command3");
        QCOMPARE(m_boxes, QStringList({"URL生成 (Information) 恭喜，URL文件生成完毕！"}));
        QCOMPARE(m_okTexts, QStringList({"确定"}));
        QCOMPARE(m_window->caption(StatusLabel::Label3), "生成完毕");
        QCOMPARE(m_window->caption(StatusLabel::Label5), "          共生成2个URL文件");
        QTRY_COMPARE(m_window->caption(StatusLabel::Label4), "");
        const std::string first = m_server.url("/news/1.html");
        const std::string second = m_server.url("/news/2.html");
        QCOMPARE(the<QPlainTextEdit>(*m_window, "Text9").toPlainText().toStdString(),
                 "第一条        " + first + "\n第二条        " + second + "\n");
        QCOMPARE(m_target->read("第一条.url"), "[InternetShortcut]\r\nURL=" + first + "\r\n");
        QStringList texts;
        QStringList filters;
        m_onDialog = [&](QDialog& dialog) {
            texts << dialog.windowTitle();
            for (const auto* label : dialog.findChildren<QLabel*>())
                texts << (label->isVisible() ? label->text() : QString());
            for (const auto* button : dialog.findChildren<QPushButton*>())
                texts << (button->isVisible() ? button->text() : QString());
            // The list's type column asks this provider (the list fills in the background).
            const auto& fileDialog = dynamic_cast<QFileDialog&>(dialog);
            texts << fileDialog.iconProvider()->type(QFileInfo(QDir::tempPath()));
            const auto& types = the<QComboBox>(dialog, "fileTypeCombo");
            for (int i = 0; i < types.count(); ++i)
                filters << types.itemText(i);
            the<QLineEdit>(dialog, "fileNameEdit").setText(qpath(m_target->file("list.html")));
            dialog.accept();
        };
        click("Command1");
        QCOMPARE(filters, QStringList({"静态网页(*.HTML)"}));
        QVERIFY(texts.size() > 4);
        for (const QString& text : texts)
            QVERIFY2(!text.contains(QRegularExpression("[A-Za-z]{2}")), qPrintable(text));
        QCOMPARE(m_target->read("list.html"),
                 AnsiCodec::encode("<a href=\"" + first + "\">第一条</a><br><a href=\"" + second +
                                   "\">第二条</a><br>\r\n"));
    }

    // A run stopped by a file it cannot write says so in the status and gives the reason in
    // Chinese; one on which no link passes the filter shows no box but a count of 0.
    void aFailedRunShowsWhyInChinese()
    {
        open();
        std::filesystem::create_directory(m_target->path() / "第二条.url");
        click("Command3");
        QCOMPARE(m_boxes,
                 QStringList({"文件错误 (Critical) 无法写入文件 " +
                              qpath(m_target->file("第二条.url")) + "：该路径是一个文件夹"}));
        QCOMPARE(m_window->caption(StatusLabel::Label3), "生成失败");
        QTest::qWait(500); // Timer2 would add marks
        QCOMPARE(m_window->caption(StatusLabel::Label4), "");
        QCOMPARE(m_window->caption(StatusLabel::Label5), "");
    }

    void aRunWithoutLinksShowsACountOfNought()
    {
        open();
        the<QLineEdit>(*m_window, "Text6").setText(".asp");
        click("Command3");
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(m_window->caption(StatusLabel::Label5), "          共生成0个URL文件");
    }

    // Frames' top lines run above the controls inside them; captions end before their boxes,
    // which would hide the rest.
    void framesAndCaptionsFit()
    {
        open(false);
        for (const auto& [tab, frame] :
             {std::pair{1, "Frame1"}, {1, "Frame2"}, {3, "Frame4"}, {3, "Frame6"}}) {
            clickTab(tab);
            auto& group = the<QGroupBox>(*m_window, frame);
            const int line = topLineOf(group);
            for (const QWidget* control :
                 group.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(control->y() > line + 1, qPrintable(control->objectName()));
        }
        for (const auto& [caption, box] : {std::pair{"Label1", "Text1"},
                                           {"Label2", "Text2"},
                                           {"Label6", "Text4"},
                                           {"Label7", "Text5"},
                                           {"Label8", "Text6"},
                                           {"Label9", "Text7"},
                                           {"Label10", "Text8"}}) {
            const auto& label = the<QLabel>(*m_window, caption);
            const int end =
                label.x() + QFontMetrics(label.font()).boundingRect(label.text()).right();
            QVERIFY2(end < the(*m_window, box).x(), caption);
        }
    }

    // "自动识别" sits in the string page's free room, clear of every designed control; it fills
    // Text4 to Text6 from the page's list, and leaves them as they were on a page without one.
    void theSuggestButtonFillsTheStrings()
    {
        open(false);
        clickTab(3);
        const auto& button = the<QPushButton>(*m_window, "Command4");
        QVERIFY(the(*m_window, "Frame5").rect().contains(button.geometry()));
        for (const QWidget* control :
             the(*m_window, "Frame5").findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(control == &button || !control->geometry().intersects(button.geometry()),
                     qPrintable(control->objectName()));
        the<QLineEdit>(*m_window, "Text1").setText(qpath(m_server.url("/lists.html")));
        click("Command4");
        QCOMPARE(m_window->text(Field::Start), R"(<ol class="文章">)");
        QCOMPARE(m_window->text(Field::End), "</ol>");
        QCOMPARE(m_window->text(Field::Contains), "/p/");
        the<QLineEdit>(*m_window, "Text1").setText(qpath(m_server.url("/news/list.html")));
        click("Command4");
        QCOMPARE(m_window->text(Field::Start), R"(<ol class="文章">)");
        QCOMPARE(m_boxes, QStringList({"自动识别 (Information) 已识别列表：共4个链接",
                                       "自动识别 (Information) 未找到链接列表"}));
    }

    // While a run waits for its page the window takes tab clicks and typing, ignores a second
    // press and stays near 0 % CPU.
    void aWaitingRunKeepsTheWindowLiveAndIdle()
    {
        open();
        const QString hold = qpath(m_server.url("/hold.html"));
        the<QLineEdit>(*m_window, "Text1").setText(hold);
        m_holdTicks = 150;
        QStringList seen; // the page and Label3 while the run waits
        double cpuAtStart = 0;
        double busy = 0; // share of one core
        QElapsedTimer waited;
        QTimer::singleShot(200ms, this, [&] {
            clickTab(2);
            typeText(the(*m_window, "Text1"), " 备注");
            click("Command3");
            cpuAtStart = double(std::clock()) / CLOCKS_PER_SEC;
            waited.start();
        });
        QTimer::singleShot(1200ms, this, [&] {
            busy = (double(std::clock()) / CLOCKS_PER_SEC - cpuAtStart) * 1000 / waited.elapsed();
            seen << page() << QString::fromStdString(m_window->caption(StatusLabel::Label3));
        });
        click("Command3");
        QCOMPARE(seen, QStringList({"Frame7", "获取列表"}));
        QCOMPARE(m_window->text(Field::Address), (hold + " 备注").toStdString());
        QCOMPARE(m_holdRequests.load(), 1);
        QCOMPARE(m_boxes, QStringList({"URL生成 (Information) 恭喜，URL文件生成完毕！"}));
        QVERIFY2(busy < 0.10, qPrintable(QString("%1 % of one core").arg(busy * 100)));
    }

    // Closing the window while a run waits ends the run at once, without a box; the texts are
    // saved as they were.
    void closingEndsAWaitingRun()
    {
        open();
        const QString hold = qpath(m_server.url("/hold.html"));
        the<QLineEdit>(*m_window, "Text1").setText(hold);
        m_holdTicks = 1000;
        QTimer::singleShot(300ms, m_window.get(), &QWidget::close);
        QElapsedTimer run;
        run.start();
        click("Command3");
        QVERIFY2(run.elapsed() < 4000, "the run went on waiting after the window closed");
        QCOMPARE(m_boxes, QStringList());
        open(false);
        QCOMPARE(m_window->text(Field::Address), hold.toStdString());
    }

    // "补全相对网址": off in a new window; on, a run completes the addresses against the page
    // it was redirected to; its state comes back after a restart, saved as a ninth piece.
    void completionBoxCompletesTheAddressesAndSurvivesARestart()
    {
        open();
        auto& box = the<QCheckBox>(*m_window, "Check1");
        QVERIFY(!box.isChecked());
        QVERIFY(box.sizeHint().height() <= box.height());
        the<QLineEdit>(*m_window, "Text1").setText(qpath(m_server.url("/moved")));
        the<QLineEdit>(*m_window, "Text7").clear();
        clickTab(3);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, box.height() / 2));
        click("Command3");
        const std::string first = m_server.url("/news/1.html");
        QCOMPARE(m_target->read("第一条.url"), "[InternetShortcut]\r\nURL=" + first + "\r\n");
        const std::string text8 = m_server.url("/news/");
        for (const char* ninth : {"##1 ", " "}) {
            QVERIFY(m_window->close());
            QVERIFY(m_program->read("db.dat").find("####" + text8 + ninth) != std::string::npos);
            open(false);
            QCOMPARE(the<QCheckBox>(*m_window, "Check1").isChecked(), *ninth == '#');
            the<QCheckBox>(*m_window, "Check1").setChecked(false);
        }
    }

private:
    // Message boxes are recorded as "title (icon) text" and closed with OK, or with Yes or No as
    // m_answerYes says; any other modal dialog
    // goes to m_onDialog once and is rejected if still open a second later, so that a test fails,
    // not hangs.
    void answerModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const char* icon = QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon());
            const bool okOnly = box->standardButtons() == QMessageBox::Ok;
            m_boxes.append(
                QString("%1 (%2%3) %4")
                    .arg(box->windowTitle(), icon, okOnly ? "" : ", not OK only", box->text()));
            QAbstractButton* answer = box->button(okOnly        ? QMessageBox::Ok
                                                  : m_answerYes ? QMessageBox::Yes
                                                                : QMessageBox::No);
            m_okTexts.append(answer->text());
            answer->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            m_polls = dialog == m_lastDialog ? m_polls + 1 : 0;
            m_lastDialog = dialog;
            if (m_polls == 0)
                m_onDialog(*dialog);
            else if (m_polls > 50)
                dialog->reject();
        }
    }

    // A fresh main window on the program folder, with the texts of a run when asked.
    void open(bool forARun = true)
    {
        m_window.reset();
        m_window = std::make_unique<MainWindow>(
            MainWindow::Options{ProgramLocations::portable(m_program->path().string()), 5s});
        m_window->show();
        const std::string list = m_server.url("/list.html"), folder = m_target->prefix(),
                          news = m_server.url("/news/");
        const std::string texts[] = {
            list,     folder, "[InternetShortcut]\nURL=", R"(<ul class="news">)", "</ul>", ".html",
            "/news/", news};
        for (int number = 1; forARun && number <= 8; ++number)
            the(*m_window, qPrintable(QString("Text%1").arg(number)))
                .setProperty(number == 3 ? "plainText" : "text", qpath(texts[number - 1]));
    }

    // What the folder picker is answered with: a press of "确定" on the folder or of "取消", or
    // its close box.
    static std::function<void(QDialog&)> pickerAnswer(const QString& answer,
                                                      const std::string& folder)
    {
        if (answer == "确定") {
            return [folder](QDialog& picker) {
                the<FolderList>(picker, "Dir1").setPath(QString::fromStdString(folder));
                the<QPushButton>(picker, "Command1").click();
            };
        }
        if (answer == "取消")
            return [](QDialog& picker) { the<QPushButton>(picker, "Command2").click(); };
        return [](QDialog& picker) { picker.close(); };
    }

    void click(const char* button) { the<QPushButton>(*m_window, button).click(); }

    void clickTab(int position)
    {
        auto& tabs = the<QTabBar>(*m_window, "TabStrip1Tabs");
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(position - 1).center());
    }

    QString page() const
    {
        for (const char* frame : {"Frame3", "Frame5", "Frame7"}) {
            if (the(*m_window, frame).isVisible())
                return frame;
        }
        return {};
    }

    static QString qpath(const std::string& path) { return QString::fromStdString(path); }

    LoopbackServer m_server;
    std::atomic_int m_holdRequests{0};
    std::atomic_int m_holdTicks{0}; // the hold page comes after this many 10 ms
    std::atomic_bool m_release{false};
    QTimer m_modalTimer;
    QStringList m_boxes;
    QStringList m_okTexts; // the caption of the button pressed in each box
    bool m_answerYes = true;
    std::function<void(QDialog&)> m_onDialog;
    QPointer<QDialog> m_lastDialog; // cleared when it is destroyed, so a new one is new
    int m_polls = 0;
    std::unique_ptr<TemporaryFolder> m_program;
    std::unique_ptr<TemporaryFolder> m_target;
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
