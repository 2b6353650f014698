// The Qt window tests' program: an application with the program's Chinese texts.
#include "ui/common/qt/QtChinese.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (!corvano::QtChinese::install(application))
        return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
