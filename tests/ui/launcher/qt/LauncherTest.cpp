// The Qt launcher's driver for the shared scenarios, and what only it shows: drags, and
// leaving while its page strip waits.
#include "ui/launcher/qt/Launcher.h"

#include "../LauncherDriver.h"
#include "LoopbackServer.h"

#include <QtTest>
#include <QtWidgets>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace corvano;
using namespace corvano::test;

namespace {

const std::string kNoPage = "http://127.0.0.1:9/url.asp"; // nothing listens there

class QtLauncherDriver : public LauncherDriver
{
public:
    ~QtLauncherDriver() override { delete form; }

    std::vector<std::string> start(SystemServices& system) override
    {
        std::vector<std::string> messages;
        QTimer answer;
        answer.callOnTimeout([&messages] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages.push_back(box->text().toStdString());
                box->accept();
            }
        });
        answer.start(0);
        Launcher::start(
            {program(),
             pageAddress,
             [this](const QUrl& address) { m_asked.push_back(address.toString().toStdString()); },
             [this] { m_asked.push_back(isShown() ? "over launcher" : "main"); },
             {}},
            system);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<LauncherWindow*>(window); shown && shown->isVisible())
                form = shown;
        }
        if (form && !QTest::qWaitForWindowExposed(form))
            throw std::logic_error("the launcher was not exposed");
        return messages;
    }
    bool isShown() const override { return form && form->isVisible(); }
    void pressPicture(Button button) override
    {
        QTest::mousePress(&control("Picture1"), qtButton(button), {}, {70, 25});
    }
    void releaseOffPicture(Button button) override
    {
        QTest::mouseRelease(&control("Picture1"), qtButton(button), {}, {200, 25});
    }
    void click(const std::string& name, Button button) override
    {
        QTest::mouseClick(&control(name.c_str()), qtButton(button));
    }
    bool pictureShows(const std::string& file) const override
    {
        return control<QLabel>("Picture1").pixmap().toImage() ==
               QPixmap(QString::fromStdString(file)).toImage();
    }
    std::vector<std::string> asked() const override { return m_asked; }

    template <typename Widget = QWidget> Widget& control(const char* name) const
    {
        if (auto* found = form->findChild<Widget*>(name))
            return *found;
        throw std::logic_error(std::string("no control ") + name);
    }
    static Qt::MouseButton qtButton(Button button)
    {
        return button == Button::Left    ? Qt::LeftButton
               : button == Button::Right ? Qt::RightButton
                                         : Qt::MiddleButton;
    }

    std::string pageAddress = kNoPage;
    QPointer<LauncherWindow> form;

private:
    std::vector<std::string> m_asked;
};

class QtLauncherTest : public ::testing::Test
{
protected:
    LauncherWindow& show()
    {
        launcher.prepare();
        if (!launcher.start(launcher.system).empty() || !launcher.isShown())
            throw std::logic_error("the launcher was not shown");
        return *launcher.form;
    }

    QtLauncherDriver launcher;
};

} // namespace

std::unique_ptr<LauncherDriver> corvano::test::makeLauncherDriver()
{
    return std::make_unique<QtLauncherDriver>();
}

// Only a left drag that begins on the surface moves the window: the pointer ends 220 x 50
// twips from the corner (301 px is 4515 twips, less 220 is 4295 twips or 286 px; 100 px less
// 50 twips is 97 px). Other buttons, and drags that begin on a control and end beyond it, do
// nothing.
TEST_F(QtLauncherTest, OnlyALeftDragOnTheSurfaceMovesTheWindow)
{
    LauncherWindow& form = show();
    const QPoint start = form.pos();
    const auto drag = [](QWidget& widget, QPoint from, QPoint to, Qt::MouseButton button) {
        QTest::mousePress(&widget, button, {}, from);
        QTest::mouseMove(&widget, to);
        QTest::mouseRelease(&widget, button, {}, to);
    };
    for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton})
        drag(form, {300, 100}, {350, 150}, other);
    for (const char* name : {"Label1", "Label2", "Label3", "Picture1", "Scriptlet1"})
        drag(launcher.control(name), {2, 2}, {230, 60}, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(form.pos(), start);

    QTest::mousePress(&form, Qt::LeftButton, {}, {300, 100});
    QTest::mouseMove(&form, {301, 100});
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.pos() == start + QPoint(286, 97); }));
    QTest::mouseMove(&form, {40, 10});
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.pos() == start + QPoint(286 + 25, 97 + 7); }));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, {40, 10});
    EXPECT_TRUE(launcher.asked().empty());
}

// Leaving does not wait for a slow page strip: the page is still held when the window is gone.
TEST_F(QtLauncherTest, LeavingDoesNotWaitForASlowPage)
{
    std::atomic<bool> asked = false;
    std::atomic<bool> left = false;
    std::atomic<bool> answered = false;
    LoopbackServer server;
    server.routes().Get("/url.asp", [&](const httplib::Request&, httplib::Response&) {
        asked = true;
        for (int i = 0; i < 3000 && !left; ++i) // at most 30 s
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        answered = true;
    });
    server.start();
    launcher.pageAddress = server.url("/url.asp");
    show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked.load(); }));
    delete launcher.form;
    EXPECT_FALSE(answered);
    left = true;
}
