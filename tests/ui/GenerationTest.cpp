#include "LoopbackServer.h"
#include "ModalCloser.h"
#include "TemporaryFolder.h"
#include "UiInput.h"
#include "platform/AnsiCodec.h"
#include "ui/main/TabStrip.h"
#include "ui/main/curl.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <sys/resource.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

const char* const Page = R"(<html><body><ul class="news">
<li><a href="/news/1.html">第一条</a></li>
<li><a href="/about.php">关于</a></li>
<li><a href="/news/2.html">第二条</a></li>
</ul></body></html>)";

// Processor time of the whole process (every thread), in seconds.
double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

// Whole runs of the main window against a page served on the loopback interface.
class GenerationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const auto page = [](const httplib::Request&, httplib::Response& response) {
            response.set_content(Page, "text/html; charset=UTF-8");
        };
        m_server.routes().Get("/list.html", page);
        m_server.routes().Get("/slow.html", [this, page](const auto& request, auto& response) {
            ++m_slowRequests;
            std::this_thread::sleep_for(2000ms);
            page(request, response);
        });
        m_server.routes().Get("/hold.html", [this, page](const auto& request, auto& response) {
            for (int i = 0; i < 1000 && !m_release; ++i)
                std::this_thread::sleep_for(10ms);
            page(request, response);
        });
        m_server.start();
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
        m_closer = std::make_unique<ModalCloser>();
        m_window = std::make_unique<curl>(curl::Options{m_program->path().string(), 5s});
        m_window->show();
        setText(1, m_server.url("/list.html"));
        setText(2, m_target->prefix());
        setText(3, "[InternetShortcut]\r\nURL=");
        setText(4, "<ul class=\"news\">");
        setText(5, "</ul>");
        setText(6, ".html");
        setText(7, "/news/");
        setText(8, m_server.url("/news/"));
    }

    void cleanup()
    {
        m_window.reset();
        m_closer.reset();
    }

    void aRunWritesTheFilesListsTheLinksAndConfirms()
    {
        const std::string first = m_server.url("/news/1.html");
        const std::string second = m_server.url("/news/2.html");
        button("Command3").click();

        QCOMPARE(m_closer->boxes.size(), std::size_t(1));
        const ModalCloser::Box& box = m_closer->boxes[0];
        QCOMPARE(box.text, QString("恭喜，URL文件生成完毕！"));
        QCOMPARE(box.title, QString("URL生成"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(m_window->caption(StatusLabel::Label3), std::string("生成完毕"));
        QCOMPARE(m_window->caption(StatusLabel::Label5), std::string("          共生成2个URL文件"));
        QTRY_COMPARE(m_window->caption(StatusLabel::Label4), std::string());
        const std::string lines = "第一条        " + first + "\n第二条        " + second + "\n";
        QCOMPARE(text9(), QString::fromStdString(lines));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(m_target->path()), {}), 2);
        QCOMPARE(m_target->read("第一条.url"), "[InternetShortcut]\r\nURL=" + first + "\r\n");
        QCOMPARE(m_target->read("第二条.url"), "[InternetShortcut]\r\nURL=" + second + "\r\n");

        // The save button rebuilds the list (listing the links once more) and writes it.
        const QString htmlFile = QString::fromStdString(m_target->file("links.html"));
        m_closer->onDialog = [&](QDialog& dialog) { chooseFile(dialog, htmlFile); };
        button("Command1").click();
        QCOMPARE(m_target->read("links.html"),
                 AnsiCodec::encode("<a href=\"" + first + "\">第一条</a><br><a href=\"" + second +
                                   "\">第二条</a><br>\r\n"));
        QCOMPARE(text9(), QString::fromStdString(lines + lines));
    }

    void aMissingStartStringShowsTheStringSettings()
    {
        setText(4, "<ol>");
        button("Command3").click();
        QCOMPARE(m_closer->boxes.size(), std::size_t(1));
        QCOMPARE(m_closer->boxes[0].text, QString("起始字符串不存在，请新重设置!"));
        QCOMPARE(m_closer->boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(control<TabStrip>(*m_window, "TabStrip1").selectedCaption(),
                 QString("字符串设置"));
        QCOMPARE(visiblePages(), QString("Frame5"));
        QCOMPARE(m_window->focusWidget(), &control<QLineEdit>(*m_window, "Text4"));
        QCOMPARE(m_window->text(4), std::string("<ol>"));
        QVERIFY(std::filesystem::is_empty(m_target->path()));

        clickTab(*m_window, 1);
        QCOMPARE(visiblePages(), QString("Frame3"));
    }

    void theWindowStaysLiveAndIdleWhileARunWaits()
    {
        setText(1, m_server.url("/slow.html"));
        m_slowRequests = 0;
        double cpuAtStart = 0;
        double cpuAtEnd = 0;
        QString pagesDuringWait;
        QString label3DuringWait;
        QElapsedTimer measured;
        qint64 measuredMs = 0;
        QTimer::singleShot(200ms, this, [&] {
            clickTab(*m_window, 2);
            pagesDuringWait = visiblePages();
            typeText(control<QLineEdit>(*m_window, "Text1"), " 备注");
            button("Command3").click(); // a second press while the first run waits
            cpuAtStart = processorSeconds();
            measured.start();
        });
        QTimer::singleShot(1200ms, this, [&] {
            cpuAtEnd = processorSeconds();
            measuredMs = measured.elapsed();
            label3DuringWait = QString::fromStdString(m_window->caption(StatusLabel::Label3));
        });
        button("Command3").click();

        QCOMPARE(pagesDuringWait, QString("Frame7"));
        QCOMPARE(label3DuringWait, QString("获取列表"));
        QCOMPARE(m_window->text(1), m_server.url("/slow.html") + " 备注");
        QCOMPARE(m_slowRequests.load(), 1);
        QCOMPARE(m_closer->boxes.size(), std::size_t(1));
        QCOMPARE(m_closer->boxes[0].title, QString("URL生成"));
        QVERIFY(measuredMs > 500);
        const double busy = (cpuAtEnd - cpuAtStart) / (double(measuredMs) / 1000);
        qInfo("processor use while waiting: %.1f %%", busy * 100);
        QVERIFY2(busy < 0.10, qPrintable(QString("%1 % of one core").arg(busy * 100)));
    }

    void closingWhileARunWaitsStopsItAndSavesTheTexts()
    {
        setText(1, m_server.url("/hold.html"));
        QTimer::singleShot(300ms, m_window.get(), &QWidget::close);
        QElapsedTimer clock;
        clock.start();
        button("Command3").click();
        QVERIFY2(clock.elapsed() < 4000, "the run went on waiting after the window closed");
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_closer->boxes.empty());
        QVERIFY(std::filesystem::is_empty(m_target->path()));
        m_window.reset();

        curl reopened({m_program->path().string()});
        QCOMPARE(reopened.text(1), m_server.url("/hold.html"));
        QCOMPARE(reopened.text(2), m_target->prefix());
    }

private:
    void setText(int number, const std::string& text)
    {
        const QString name = QString("Text%1").arg(number);
        const QString value = QString::fromStdString(text);
        if (number == 3)
            control<QPlainTextEdit>(*m_window, qPrintable(name)).setPlainText(value);
        else
            control<QLineEdit>(*m_window, qPrintable(name)).setText(value);
    }

    QPushButton& button(const char* name) { return control<QPushButton>(*m_window, name); }
    QString text9() const { return control<QPlainTextEdit>(*m_window, "Text9").toPlainText(); }

    QString visiblePages() const
    {
        QStringList shown;
        for (const char* name : {"Frame3", "Frame5", "Frame7"}) {
            if (control<QFrame>(*m_window, name).isVisible())
                shown.append(name);
        }
        return shown.join(",");
    }

    LoopbackServer m_server;
    std::atomic_int m_slowRequests{0};
    std::atomic_bool m_release{false};
    std::unique_ptr<TemporaryFolder> m_program;
    std::unique_ptr<TemporaryFolder> m_target;
    std::unique_ptr<ModalCloser> m_closer;
    std::unique_ptr<curl> m_window;
};

QTEST_MAIN(GenerationTest)
#include "GenerationTest.moc"
