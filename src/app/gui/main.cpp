#include "ui/main/curl.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvano");
    QApplication::setApplicationVersion("1.0");
    corvano::curl window;
    window.show();
    return QApplication::exec();
}
