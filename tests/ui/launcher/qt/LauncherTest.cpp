#include "ui/launcher/qt/Launcher.h"

#include "LoopbackServer.h"
#include "TemporaryFolder.h"
#include "platform/LocalSystemServices.h"

#include <QtTest>
#include <QtWidgets>
#include <atomic>
#include <thread>

using namespace corvano;
using namespace corvano::test;

namespace {

const std::string kNoPage = "http://127.0.0.1:9/url.asp"; // nothing listens there

void drag(QWidget& widget, QPoint from, QPoint to, Qt::MouseButton button)
{
    QTest::mousePress(&widget, button, {}, from);
    QTest::mouseMove(&widget, to);
    QTest::mouseRelease(&widget, button, {}, to);
}

} // namespace

class LauncherTest : public QObject
{
    Q_OBJECT

    std::optional<TemporaryFolder> m_program;
    QString m_img; // the program's folder of pictures, with B1.jpg and B2.jpg
    QPointer<LauncherWindow> m_form;
    QStringList m_asked; // the addresses opened and the main window, in order

    template <typename Widget = QWidget> Widget& control(const char* name) const
    {
        if (auto* found = m_form->findChild<Widget*>(name))
            return *found;
        qFatal("no control %s", name);
    }

    // Starts as the program does; a launcher it shows becomes m_form. Returns the text of the
    // message box it shows instead.
    QString start(std::string pageAddress = kNoPage)
    {
        QString message;
        QTimer answer;
        answer.callOnTimeout([&message] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->accept();
            }
        });
        answer.start(0);
        LocalSystemServices system;
        Launcher::start(
            {m_program->path().string(),
             std::move(pageAddress),
             [this](const QUrl& address) { m_asked << address.toString(); },
             [this] { m_asked << (m_form && m_form->isVisible() ? "over launcher" : "main"); },
             {}},
            system);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<LauncherWindow*>(window); form && form->isVisible())
                m_form = form;
        }
        return message;
    }

    LauncherWindow& showLauncher(std::string pageAddress = kNoPage)
    {
        if (!start(std::move(pageAddress)).isEmpty() || !QTest::qWaitForWindowExposed(m_form))
            qFatal("the launcher was not shown");
        return *m_form;
    }

private slots:
    void init()
    {
        m_program.emplace();
        m_img = QString::fromStdString(m_program->file("img/"));
        std::filesystem::copy(CORVANO_PICTURES_DIR, m_img.toStdString());
        m_asked.clear();
    }

    void cleanup() { delete m_form; }

    // Either button swaps the picture while held; released off the button, nothing is clicked.
    void swapsPicturesWhileAButtonIsHeld()
    {
        showLauncher();
        auto& picture = control<QLabel>("Picture1");
        for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
            QCOMPARE(picture.pixmap(), QPixmap(m_img + "B1.jpg"));
            QTest::mousePress(&picture, button, {}, {70, 25});
            QCOMPARE(picture.pixmap(), QPixmap(m_img + "B2.jpg"));
            QTest::mouseRelease(&picture, button, {}, {200, 25});
        }
        QCOMPARE(picture.pixmap(), QPixmap(m_img + "B1.jpg"));
        QCOMPARE(m_asked, QStringList());
    }

    // Edge case: pictures gone or broken since the start leave the last ones in place.
    void picturesLostSinceTheStartLeaveTheLastInPlace()
    {
        showLauncher();
        auto& picture = control<QLabel>("Picture1");
        QFile::remove(m_img + "B1.jpg");
        QFile::resize(m_img + "B2.jpg", 10);
        drag(picture, {70, 25}, {70, 25}, Qt::RightButton);
        QCOMPARE(picture.pixmap(), QPixmap(CORVANO_PICTURES_DIR "/B1.jpg"));
        QCOMPARE(m_asked, QStringList());
    }

    // Other buttons, and any drag that begins on a control, leave the window where it is.
    void otherDragsDoNotMoveTheWindow()
    {
        LauncherWindow& form = showLauncher();
        const QPoint start = form.pos();
        for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton})
            drag(form, {300, 100}, {350, 150}, other);
        // Released beyond each control, so nothing is clicked.
        for (const char* name : {"Label1", "Label2", "Label3", "Picture1", "Scriptlet1"})
            drag(control(name), {2, 2}, {230, 60}, Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(m_asked, QStringList());
        QCOMPARE(form.pos(), start);
    }

    // The pointer ends 220 x 50 twips from the corner: 301 px is 4515 twips, less 220 is
    // 4295 twips or 286 px; 100 px less 50 twips is 97 px.
    void aLeftDragOnTheSurfaceMovesTheWindow()
    {
        LauncherWindow& form = showLauncher();
        const QPoint start = form.pos();
        QTest::mousePress(&form, Qt::LeftButton, {}, {300, 100});
        QTest::mouseMove(&form, {301, 100});
        QTRY_COMPARE(form.pos(), start + QPoint(286, 97));
        QTest::mouseMove(&form, {40, 10});
        QTRY_COMPARE(form.pos(), start + QPoint(286 + 25, 97 + 7));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, {40, 10});
    }

    void aLeftClickClosesTheLauncherThenOpensTheMainWindow()
    {
        showLauncher();
        QTest::mouseClick(&control("Label3"), Qt::LeftButton);
        QTest::mouseClick(&control("Picture1"), Qt::RightButton);
        QTest::mouseClick(&control("Picture1"), Qt::LeftButton);
        QCOMPARE(m_asked, QStringList({"http://www.example.com", "main"}));
        QTRY_VERIFY(!m_form);
    }

    void missingPicturesAreNamedAndNothingIsShown()
    {
        for (const QString name : {"B1.jpg", "B2.jpg"}) {
            QFile::copy(CORVANO_PICTURES_DIR "/B1.jpg", m_img + "B1.jpg");
            QFile::remove(m_img + name);
            const QString message = start();
            QVERIFY2(message.contains(name) && !m_form, qPrintable(message));
        }
    }

    void leavingDoesNotWaitForASlowPage()
    {
        std::atomic<bool> asked = false;
        LoopbackServer server;
        server.routes().Get("/url.asp", [&](const httplib::Request&, httplib::Response&) {
            asked = true;
            std::this_thread::sleep_for(std::chrono::seconds(2));
        });
        server.start();
        showLauncher(server.url("/url.asp"));
        QTRY_VERIFY(asked);
        QElapsedTimer timer;
        timer.start();
        delete m_form;
        QCOMPARE_LT(timer.elapsed(), 500);
    }
};

QTEST_MAIN(LauncherTest)
#include "LauncherTest.moc"
