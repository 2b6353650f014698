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
    void drag(const std::string& name, Button button,
              const std::vector<std::pair<int, int>>& points) override
    {
        QWidget& on = name.empty() ? *form : control(name.c_str());
        const auto at = [&](std::size_t i) { return QPoint(points[i].first, points[i].second); };
        QTest::mousePress(&on, qtButton(button), {}, at(0));
        for (std::size_t i = 1; i < points.size(); ++i) {
            QTest::mouseMove(&on, at(i));
            QCoreApplication::processEvents(); // the window's move reaches its position
        }
        QTest::mouseRelease(&on, qtButton(button), {}, at(points.size() - 1));
    }
    std::pair<int, int> corner() const override { return {form->x(), form->y()}; }
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

} // namespace

std::unique_ptr<LauncherDriver> corvano::test::makeLauncherDriver()
{
    return std::make_unique<QtLauncherDriver>();
}

// Leaving does not wait for a slow page strip: the page is still held when the window is gone.
TEST(QtLauncherTest, LeavingDoesNotWaitForASlowPage)
{
    QtLauncherDriver launcher;
    launcher.prepare();
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
    ASSERT_TRUE(launcher.start(launcher.system).empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked.load(); }));
    delete launcher.form;
    EXPECT_FALSE(answered);
    left = true;
}
