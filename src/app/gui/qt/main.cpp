#include "ui/common/qt/QtChinese.h"
#include "ui/launcher/qt/Launcher.h"
#include "ui/main/qt/MainWindow.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvano");
    QApplication::setApplicationVersion("1.0");
    corvano::QtChinese::install(app);
    // The launcher comes first; its button opens the main window, which then lives until the
    // program ends.
    // Worked out once: the launcher's pictures and the main window's files agree.
    const auto locations = corvano::ProgramLocations::detect();
    std::unique_ptr<corvano::MainWindow> window;
    const bool started = corvano::Launcher::start(locations, [&window, &locations] {
        window = std::make_unique<corvano::MainWindow>(corvano::MainWindow::Options{locations});
        window->show();
    });
    if (!started)
        return 1;
    return QApplication::exec();
}
