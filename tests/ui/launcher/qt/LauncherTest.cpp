// The Qt launcher's driver for the shared scenarios.
#include "ui/launcher/qt/Launcher.h"

#include "../LauncherDriver.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

namespace {

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
             kNoPage,
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
    void mouse(const std::string& name, Mouse event, Button button, std::pair<int, int> at) override
    {
        QWidget* on = name.empty() ? form.data() : &control(name.c_str());
        const QPoint point(at.first, at.second);
        static constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton,
                                                       Qt::MiddleButton};
        const Qt::MouseButton held = kButtons[static_cast<std::size_t>(button)];
        if (event == Mouse::Press)
            QTest::mousePress(on, held, {}, point);
        else if (event == Mouse::Release)
            QTest::mouseRelease(on, held, {}, point);
        else
            QTest::mouseMove(on, point);
        QCoreApplication::processEvents(); // a window's move reaches its position
    }
    bool pictureShows(const std::string& file) const override
    {
        return control<QLabel>("Picture1").pixmap().toImage() ==
               QPixmap(QString::fromStdString(file)).toImage();
    }
    std::pair<int, int> corner() const override { return {form->x(), form->y()}; }
    std::vector<std::string> asked() const override { return m_asked; }

    template <typename Widget = QWidget> Widget& control(const char* name) const
    {
        if (auto* found = form->findChild<Widget*>(name))
            return *found;
        throw std::logic_error(std::string("no control ") + name);
    }

    QPointer<LauncherWindow> form;

private:
    std::vector<std::string> m_asked;
};

} // namespace

std::unique_ptr<LauncherDriver> corvano::test::makeLauncherDriver()
{
    return std::make_unique<QtLauncherDriver>();
}
