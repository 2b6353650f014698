#include "ModalCloser.h"
#include "TemporaryFolder.h"
#include "UiInput.h"
#include "ui/main/TabStrip.h"
#include "ui/main/curl.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <memory>

using namespace corvano;
using namespace corvano::test;

namespace {

QString qpath(const std::string& path)
{
    return QString::fromStdString(path);
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_program = std::make_unique<TemporaryFolder>();
        m_closer = std::make_unique<ModalCloser>();
    }

    void cleanup()
    {
        m_closer.reset();
        m_program.reset();
    }

    void fixedWindowWithoutScrollBarsOnItsTextBoxes()
    {
        curl window(options());
        QCOMPARE(window.windowTitle(), QString("Corvano v1.0"));
        QCOMPARE(window.minimumSize(), QSize(463, 391));
        QCOMPARE(window.maximumSize(), QSize(463, 391));
        QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
        // Places are twips / 15, relative to the container; the pages lie over the tab strip.
        QCOMPARE(control<QLineEdit>(window, "Text1").geometry(), QRect(104, 16, 337, 25));
        QCOMPARE(control<QFrame>(window, "Frame5").geometry(), QRect(8, 32, 449, 353));
        for (const char* name : {"Text3", "Text9"}) {
            const auto& box = control<QPlainTextEdit>(window, name);
            QCOMPARE(box.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(box.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        }
    }

    void statusLabelsUseAChineseFontAtTenAndAHalfPoints()
    {
        curl window(options());
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        QVERIFY2(!chinese.isEmpty(), "no font for Simplified Chinese is installed");
        for (const char* name : {"Label3", "Label4", "Label5"}) {
            const QFont font = control<QLabel>(window, name).font();
            QCOMPARE(font.pointSizeF(), 10.5);
            QCOMPARE(font.weight(), QFont::Normal);
            QVERIFY2(chinese.contains(QFontInfo(font).family()),
                     qPrintable(QFontInfo(font).family()));
        }
    }

    void tabsShowTheirPagesByCaption()
    {
        curl window(options());
        window.show();
        QCOMPARE(visiblePages(window), QString("Frame3"));
        clickTab(window, 2);
        QCOMPARE(visiblePages(window), QString("Frame7"));
        QVERIFY(control<QPlainTextEdit>(window, "Text9").isVisible());
        QVERIFY(control<QPushButton>(window, "Command1").isVisible());
        QVERIFY(!control<QPushButton>(window, "Command3").isVisible());
        clickTab(window, 3);
        QCOMPARE(visiblePages(window), QString("Frame5"));
        QVERIFY(control<QGroupBox>(window, "Frame4").isVisible());
        QVERIFY(control<QGroupBox>(window, "Frame6").isVisible());
        clickTab(window, 3);
        QCOMPARE(visiblePages(window), QString("Frame5"));
        clickTab(window, 1);
        QCOMPARE(visiblePages(window), QString("Frame3"));

        // The page follows the caption, not the position: an unknown caption changes nothing.
        control<QTabBar>(window, "TabStrip1Tabs").setTabText(1, "其他");
        clickTab(window, 2);
        QCOMPARE(visiblePages(window), QString("Frame3"));
    }

    void focusStartsInText2AndFollowsTheOrderOfEachPage()
    {
        curl window(options());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(tabWalk(window, 6),
                 QStringList({"Text2", "Command2", "Text3", "Text1", "Command3", "TabStrip1Tabs"}));
        QCOMPARE(window.focusWidget()->objectName(), QString("Text2"));
        clickTab(window, 3);
        control<QLineEdit>(window, "Text6").setFocus();
        QCOMPARE(tabWalk(window, 6),
                 QStringList({"Text6", "Text5", "Text4", "Text7", "Text8", "TabStrip1Tabs"}));
        clickTab(window, 2);
        control<QPlainTextEdit>(window, "Text9").setFocus();
        QCOMPARE(tabWalk(window, 3), QStringList({"Text9", "Command1", "TabStrip1Tabs"}));
    }

    void textsSurviveCloseAndReopen()
    {
        auto first = std::make_unique<curl>(options());
        first->show();
        QVERIFY(QTest::qWaitForWindowActive(first.get()));
        auto& text3 = control<QPlainTextEdit>(*first, "Text3");
        text3.setFocus();
        typeText(text3, "[快捷方式]");
        QTest::keyClick(&text3, Qt::Key_Return);
        typeText(text3, "URL=");
        typeText(control<QLineEdit>(*first, "Text1"), "http://例子.cn/列表.html");
        typeText(control<QLineEdit>(*first, "Text2"), "/tmp/链接/");
        for (int number : {4, 5, 6, 7, 8})
            typeText(control<QLineEdit>(*first, qPrintable(QString("Text%1").arg(number))),
                     QString("字段%1 ").arg(number));
        QCOMPARE(first->text(3), std::string("[快捷方式]\r\nURL="));
        const std::array<std::string, 8> typed = texts(*first);
        QVERIFY(first->close());
        first.reset();
        QVERIFY(std::filesystem::exists(m_program->file("db.dat")));

        curl second(options());
        // Spaces at the very end of the saved value (the end of Text8) are not kept.
        std::array<std::string, 8> expected = typed;
        expected[7] = "字段8";
        QCOMPARE(texts(second), expected);
        QCOMPARE(control<QPlainTextEdit>(second, "Text3").toPlainText(),
                 QString("[快捷方式]\nURL="));
        QVERIFY(control<QPlainTextEdit>(second, "Text9").toPlainText().isEmpty());
        QVERIFY(m_closer->boxes.empty());
    }

    void unreadableAndUnwritableSettingsAreReportedAndTheWindowStillWorks()
    {
        // A folder where db.dat should be: it can be neither read nor replaced.
        std::filesystem::create_directory(m_program->path() / "db.dat");
        auto window = std::make_unique<curl>(options());
        QCOMPARE(m_closer->boxes.size(), std::size_t(1));
        QCOMPARE(m_closer->boxes[0].title, QString("设置错误"));
        QCOMPARE(m_closer->boxes[0].icon, QMessageBox::Warning);
        QVERIFY(m_closer->boxes[0].text.startsWith("无法读取设置文件 " +
                                                   qpath(m_program->file("db.dat"))));
        window->show();
        QVERIFY(window->isVisible());
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(m_closer->boxes.size(), std::size_t(2));
        QVERIFY(m_closer->boxes[1].text.startsWith("无法保存设置文件 "));
    }

    void textsTooLongForTheSettingsFileAreReported()
    {
        auto window = std::make_unique<curl>(options());
        const QString longTemplate(700, 'x');
        control<QPlainTextEdit>(*window, "Text3").setPlainText(longTemplate);
        window->close();
        QCOMPARE(m_closer->boxes.size(), std::size_t(1));
        QCOMPARE(m_closer->boxes[0].icon, QMessageBox::Warning);
        QVERIFY2(m_closer->boxes[0].text.startsWith("设置共 714 字节，超过了设置文件能保存的 600"),
                 qPrintable(m_closer->boxes[0].text));
        window = std::make_unique<curl>(options());
        QCOMPARE(window->text(3), std::string(600 - 4, 'x'));

        control<QPlainTextEdit>(*window, "Text3").clear();
        control<QLineEdit>(*window, "Text1").setText("http://x.cn/😀");
        window->close();
        QCOMPARE(m_closer->boxes.size(), std::size_t(2));
        QVERIFY(m_closer->boxes[1].text.startsWith("设置中有系统编码无法表示的字符"));
    }

    void saveButtonWritesWhereTheDialogSaysOrReportsWhyNot()
    {
        curl window(options());
        m_program->write("list.html", "old content");
        const QString target = qpath(m_program->file("list.html"));
        QStringList filters;
        m_closer->onDialog = [&](QDialog& dialog) {
            filters = dynamic_cast<QFileDialog&>(dialog).nameFilters();
            chooseFile(dialog, target);
        };
        control<QPushButton>(window, "Command1").click();
        QCOMPARE(filters, QStringList({"静态网页(*.HTML) (*.html)"}));
        // No list yet: the file holds only CR LF, and it was replaced without a question.
        QCOMPARE(m_program->read("list.html"), std::string("\r\n"));
        QCOMPARE(m_closer->dialogs.size(), std::size_t(1));
        QVERIFY(m_closer->boxes.empty());

        m_closer->onDialog = [](QDialog& dialog) { dialog.reject(); };
        m_program->write("list.html", "kept");
        control<QPushButton>(window, "Command1").click();
        QCOMPARE(m_program->read("list.html"), std::string("kept"));

        // A file that cannot be written: a box names it and says why.
        const QString missing = qpath(m_program->file("missing/list.html"));
        m_closer->onDialog = [&](QDialog& dialog) { chooseFile(dialog, missing); };
        control<QPushButton>(window, "Command1").click();
        QCOMPARE(m_closer->boxes.size(), std::size_t(1));
        QCOMPARE(m_closer->boxes[0].title, QString("文件错误"));
        QCOMPARE(m_closer->boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(m_closer->boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QString named = "无法写入文件 " + missing + "：";
        QVERIFY2(m_closer->boxes[0].text.startsWith(named), qPrintable(m_closer->boxes[0].text));
        QVERIFY(m_closer->boxes[0].text.size() > named.size());
    }

private:
    curl::Options options() const { return {m_program->path().string(), std::chrono::seconds(5)}; }

    static QString visiblePages(const curl& window)
    {
        QStringList shown;
        for (const char* name : {"Frame3", "Frame5", "Frame7"}) {
            if (control<QFrame>(window, name).isVisible())
                shown.append(name);
        }
        return shown.join(",");
    }

    // The focused control, then the next ones the Tab key reaches.
    static QStringList tabWalk(QWidget& window, int steps)
    {
        QStringList names;
        for (int i = 0; i < steps; ++i) {
            names.append(window.focusWidget()->objectName());
            QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        }
        return names;
    }

    static std::array<std::string, 8> texts(const curl& window)
    {
        std::array<std::string, 8> all;
        for (int number = 1; number <= 8; ++number)
            all[static_cast<std::size_t>(number - 1)] = window.text(number);
        return all;
    }

    std::unique_ptr<TemporaryFolder> m_program;
    std::unique_ptr<ModalCloser> m_closer;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
