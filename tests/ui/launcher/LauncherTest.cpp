#include "ui/launcher/Launcher.h"

#include "FakeWindows.h"
#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "platform/LocalSystemServices.h"
#include "ui/launcher/Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <thread>

using namespace corvano;
using namespace corvano::test;

namespace {

const std::filesystem::path kPictures = CORVANO_PICTURES_DIR;

// A program folder with the button pictures in img/.
struct ProgramFolderWithPictures
{
    ProgramFolderWithPictures()
    {
        std::filesystem::create_directory(folder.path() / "img");
        for (const char* name : {"B1.jpg", "B2.jpg"})
            std::filesystem::copy_file(kPictures / name, folder.path() / "img" / name);
    }

    std::filesystem::path picture(const char* name) const { return folder.path() / "img" / name; }

    TemporaryFolder folder;
};

QImage imageOf(const std::filesystem::path& file)
{
    return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}

QImage shownBy(const QWidget& form)
{
    return form.findChild<QLabel*>("Picture1")
        ->pixmap()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QWidget& control(const QWidget& form, const char* name)
{
    auto* found = form.findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", name);
    return *found;
}

// Sends a mouse event to a widget as the window system delivers it to the widget under the
// pointer (or holding the grab); an event the widget ignores goes on to its parent.
void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void drag(QWidget& widget, QPoint from, QPoint to, Qt::MouseButton button)
{
    sendMouse(widget, QEvent::MouseButtonPress, from, button, button);
    sendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, button);
    sendMouse(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

bool anyWindowVisible()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* window) { return window->isVisible(); });
}

} // namespace

class LauncherTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProgramFolderWithPictures> m_program;
    QPointer<Form1> m_form;
    int m_mainWindowRequests = 0;
    bool m_launcherVisibleWhenAsked = true;
    QList<QUrl> m_opened;
    bool m_leftSomethingShown = false;

    // A loaded and shown launcher that records what it asks for.
    Form1& showLauncher(std::string pageAddress = "http://127.0.0.1:9/url.asp")
    {
        Form1::Options options;
        options.programFolder = m_program->folder.path().string();
        options.pageAddress = std::move(pageAddress);
        options.openAddress = [this](const QUrl& address) { m_opened.append(address); };
        options.showMainWindow = [this] {
            ++m_mainWindowRequests;
            m_launcherVisibleWhenAsked = m_form && m_form->isVisible();
        };
        m_form = new Form1(std::move(options));
        if (const auto missing = m_form->Form_Load())
            qFatal("picture missing: %s", qPrintable(*missing));
        m_form->show();
        if (!QTest::qWaitForWindowExposed(m_form))
            qFatal("the launcher was not shown");
        return *m_form;
    }

private slots:
    void init()
    {
        m_program = std::make_unique<ProgramFolderWithPictures>();
        m_mainWindowRequests = 0;
        m_launcherVisibleWhenAsked = true;
        m_opened.clear();
        m_leftSomethingShown = false;
    }

    void cleanup()
    {
        delete m_form;
        m_program.reset();
    }

    void isBorderlessOfTheDesignedSize()
    {
        Form1& form = showLauncher();
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.size(), QSize(484, 336));
        QCOMPARE(form.frameGeometry().size(), QSize(484, 336));
        QCOMPARE(form.windowTitle(), QString("Corvano"));
        QCOMPARE(control(form, "Label1").geometry(), QRect(160, 136, 217, 41));
        QCOMPARE(control(form, "Label1").font().families().value(0), QString("微软雅黑"));
        QCOMPARE(control(form, "Label1").font().pointSize(), 18);
        QCOMPARE(control(form, "Label3").palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(control(form, "Picture1").geometry(), QRect(184, 200, 140, 50));
        QCOMPARE(control(form, "Scriptlet1").geometry(), QRect(48, 264, 25, 1));
        QCOMPARE(shownBy(form), imageOf(m_program->picture("B1.jpg")));
    }

    void pictureSwapsOnPressAndReleaseOfAnyButton()
    {
        Form1& form = showLauncher();
        QWidget& button = control(form, "Picture1");
        for (Qt::MouseButton which : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
            sendMouse(button, QEvent::MouseButtonPress, {70, 25}, which, which);
            QCOMPARE(shownBy(form), imageOf(m_program->picture("B2.jpg")));
            // Released off the button: a swap back, but no click.
            sendMouse(button, QEvent::MouseButtonRelease, {200, 25}, which, Qt::NoButton);
            QCOMPARE(shownBy(form), imageOf(m_program->picture("B1.jpg")));
        }
        QCOMPARE(m_mainWindowRequests, 0);
    }

    void leftDragPutsThePointerAt220By50Twips()
    {
        Form1& form = showLauncher();
        const QPoint start = form.pos();
        sendMouse(form, QEvent::MouseButtonPress, {300, 100}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(form, QEvent::MouseMove, {301, 100}, Qt::NoButton, Qt::LeftButton);
        // 301 px = 4515 twips, less 220, is 4295 twips: 286 px; 100 px less 50 twips: 97 px.
        QTRY_COMPARE(form.pos(), start + QPoint(286, 97));
        sendMouse(form, QEvent::MouseMove, {40, 10}, Qt::NoButton, Qt::LeftButton);
        QTRY_COMPARE(form.pos(), start + QPoint(286 + 25, 97 + 7));
    }

    void onlyTheLeftButtonOnTheSurfaceDrags()
    {
        Form1& form = showLauncher();
        const QPoint start = form.pos();
        drag(form, {300, 100}, {350, 150}, Qt::RightButton);
        drag(form, {300, 100}, {350, 150}, Qt::MiddleButton);
        // Released beyond each control, so the button is not clicked.
        for (const char* name : {"Label1", "Label2", "Label3", "Picture1", "Scriptlet1"})
            drag(control(form, name), {0, 0}, {230, 60}, Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(form.pos(), start);
        QVERIFY(m_form);
    }

    void clickClosesTheLauncherThenAsksForTheMainWindow()
    {
        Form1& form = showLauncher();
        QWidget& button = control(form, "Picture1");
        QTest::mouseClick(&button, Qt::RightButton);
        QCOMPARE(m_mainWindowRequests, 0);
        QVERIFY(form.isVisible());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(m_mainWindowRequests, 1);
        QVERIFY(!m_launcherVisibleWhenAsked);
        QTRY_VERIFY(!m_form);
    }

    void webAddressOpensAndLeavesTheLauncherAsItIs()
    {
        Form1& form = showLauncher();
        const QRect before = form.geometry();
        QTest::mouseClick(&control(form, "Label3"), Qt::LeftButton);
        QCOMPARE(m_opened, QList<QUrl>{QUrl("http://www.example.com")});
        QVERIFY(form.isVisible());
        QCOMPARE(form.geometry(), before);
        QCOMPARE(m_mainWindowRequests, 0);
    }

    void vanishedPicturesKeepTheLastOneShown()
    {
        Form1& form = showLauncher();
        std::filesystem::remove(m_program->picture("B1.jpg"));
        std::filesystem::resize_file(m_program->picture("B2.jpg"), 10);
        QWidget& button = control(form, "Picture1");
        sendMouse(button, QEvent::MouseButtonPress, {70, 25}, Qt::RightButton, Qt::RightButton);
        sendMouse(button, QEvent::MouseButtonRelease, {70, 25}, Qt::RightButton, Qt::NoButton);
        QCOMPARE(shownBy(form), imageOf(kPictures / "B1.jpg"));
    }

    void leavingDoesNotWaitForASlowPage()
    {
        LoopbackServer server;
        server.routes().Get("/url.asp", [](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            response.set_content("late", "text/html");
        });
        server.start();
        showLauncher(server.url("/url.asp"));
        QTest::qWait(100);
        QElapsedTimer timer;
        timer.start();
        delete m_form;
        QCOMPARE_LT(timer.elapsed(), 500);
    }

    void pageStripShowsTheFetchedPage()
    {
        LoopbackServer server;
        server.routes().Get("/url.asp", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<b>今日推荐</b>", "text/html; charset=utf-8");
        });
        server.start();
        Form1& form = showLauncher(server.url("/url.asp"));
        auto& strip = static_cast<QLabel&>(control(form, "Scriptlet1"));
        QTRY_VERIFY(strip.text().contains("今日推荐"));
        // Its kept-alive connection would hold up the server's stop.
        delete m_form;
    }

    void missingPicturesAndComponentsAreNamedAndNothingIsShown()
    {
        LocalSystemServices linux;
        std::filesystem::remove(m_program->picture("B1.jpg"));
        QVERIFY(startExpectingMessage(linux).contains("B1.jpg"));

        m_program = std::make_unique<ProgramFolderWithPictures>();
        std::filesystem::resize_file(m_program->picture("B2.jpg"), 10);
        QVERIFY(startExpectingMessage(linux).contains("B2.jpg"));

        FakeWindows windows;
        windows.addFolder("C:\\WINDOWS\\SysWOW64\\");
        QVERIFY(startExpectingMessage(windows).contains("COMDLG32.OCX"));
        QVERIFY(windows.started.empty());
        QVERIFY(!m_leftSomethingShown);
        QCOMPARE(m_mainWindowRequests, 0);
    }

private:
    // Starts as the program does, expecting it to stop with a message box; returns its text.
    QString startExpectingMessage(SystemServices& system)
    {
        auto text = std::make_shared<QString>();
        QTimer::singleShot(0, [text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *text = box->text();
                box->accept();
            }
        });
        Form1::Options options;
        options.programFolder = m_program->folder.path().string();
        options.showMainWindow = [this] { ++m_mainWindowRequests; };
        const bool started = Launcher::start(std::move(options), system);
        m_leftSomethingShown = m_leftSomethingShown || started || anyWindowVisible();
        return *text;
    }
};

QTEST_MAIN(LauncherTest)
#include "LauncherTest.moc"
