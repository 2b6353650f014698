// What only the Qt main window can show: its drawing, its dialogs' own texts, input methods,
// processor time while it waits; and the program's main for the shared scenarios.
#include "QtMainWindowDriver.h"
#include "ui/common/qt/QtChinese.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <ctime>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

// Types text as an input method commits it, a character at a time (keyClicks cannot type CJK).
void typeText(QWidget& widget, const QString& text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUcs4(&codePoint, 1));
        QApplication::sendEvent(&widget, &commit);
    }
}

// The first row of a frame's top line: down a column near its right edge, where no control
// lies, the first pixel that is not the background.
int topLineOf(QWidget& frame)
{
    const QImage image = frame.grab().toImage();
    const QColor background = frame.palette().color(QPalette::Window);
    const int x = image.width() - 5;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(x, y) != background)
            return y;
    }
    return image.height();
}

class QtMainWindowTest : public ::testing::Test
{
protected:
    QWidget& the(const char* name) { return QtMainWindowDriver::the(driver.window(), name); }

    QtMainWindowDriver driver;
};

} // namespace

// Boxes and the save dialog speak Chinese, down to the dialog's type column; its one filter's
// pattern shows once.
TEST_F(QtMainWindowTest, BoxesAndTheSaveDialogSpeakChinese)
{
    driver.open();
    driver.press("Command3");
    EXPECT_EQ(driver.okTexts, std::vector<std::string>{"确定"});
    std::vector<QString> texts;
    driver.onDialog = [&](QDialog& dialog) {
        texts.push_back(dialog.windowTitle());
        for (const auto* label : dialog.findChildren<QLabel*>())
            texts.push_back(label->isVisible() ? label->text() : QString());
        for (const auto* button : dialog.findChildren<QPushButton*>())
            texts.push_back(button->isVisible() ? button->text() : QString());
        // The list's type column asks this provider (the list fills in the background).
        const auto& fileDialog = dynamic_cast<QFileDialog&>(dialog);
        texts.push_back(fileDialog.iconProvider()->type(QFileInfo(QDir::tempPath())));
        dialog.reject();
    };
    driver.press("Command1");
    EXPECT_GT(texts.size(), 4u);
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QRegularExpression("[A-Za-z]{2}"))) << text.toStdString();
}

// Frames' top lines run above the controls inside them; captions end before their boxes,
// which would hide the rest; "自动识别" sits in the string page's free room.
TEST_F(QtMainWindowTest, FramesCaptionsAndTheSuggestButtonFit)
{
    driver.open(false);
    for (const auto& [tab, frame] :
         {std::pair{1, "Frame1"}, {1, "Frame2"}, {3, "Frame4"}, {3, "Frame6"}}) {
        driver.clickTab(tab);
        const int line = topLineOf(the(frame));
        for (const QWidget* control :
             the(frame).findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            EXPECT_GT(control->y(), line + 1) << control->objectName().toStdString();
    }
    for (const auto& [caption, box] : {std::pair{"Label1", "Text1"},
                                       {"Label2", "Text2"},
                                       {"Label6", "Text4"},
                                       {"Label7", "Text5"},
                                       {"Label8", "Text6"},
                                       {"Label9", "Text7"},
                                       {"Label10", "Text8"}}) {
        const auto& label = dynamic_cast<QLabel&>(the(caption));
        EXPECT_LT(label.x() + QFontMetrics(label.font()).boundingRect(label.text()).right(),
                  the(box).x())
            << caption;
    }
    const QWidget& button = the("Command4");
    EXPECT_TRUE(the("Frame5").rect().contains(button.geometry()));
    for (const QWidget* control :
         the("Frame5").findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(control == &button || !control->geometry().intersects(button.geometry()))
            << control->objectName().toStdString();
}

// While a run waits for its page the window takes tab clicks and typing (an input method's),
// ignores a second press and stays near 0 % CPU.
TEST_F(QtMainWindowTest, AWaitingRunKeepsTheWindowLiveAndIdle)
{
    driver.open();
    driver.holdFor(1500ms);
    const std::string hold = driver.url("/hold.html");
    driver.type(Field::Address, hold);
    std::vector<std::string> seen; // the page and Label3 while the run waits
    double cpuAtStart = 0;
    double busy = 0; // share of one core
    QElapsedTimer waited;
    driver.later(200ms, [&] {
        driver.clickTab(2);
        typeText(the("Text1"), " 备注");
        driver.press("Command3");
        cpuAtStart = double(std::clock()) / CLOCKS_PER_SEC;
        waited.start();
    });
    driver.later(1200ms, [&] {
        busy = (double(std::clock()) / CLOCKS_PER_SEC - cpuAtStart) * 1000 / waited.elapsed();
        seen = {driver.page(), driver.caption(StatusLabel::Label3)};
    });
    driver.press("Command3");
    EXPECT_EQ(seen, (std::vector<std::string>{"Frame7", "获取列表"}));
    EXPECT_EQ(driver.text(Field::Address), hold + " 备注");
    EXPECT_EQ(driver.requests("/hold.html"), 1);
    EXPECT_EQ(driver.takeMessages().size(), 1u);
    EXPECT_LT(busy, 0.10) << "share of one core";
}

// "补全相对网址" is off in a new window; a click on its box turns it on, and a run then
// completes the addresses against the page it was redirected to; its state is saved as a
// ninth piece of db.dat.
TEST_F(QtMainWindowTest, TheCompletionBoxIsClickedAndSavedAsANinthPiece)
{
    driver.open();
    auto& box = dynamic_cast<QCheckBox&>(the("Check1"));
    EXPECT_FALSE(box.isChecked());
    EXPECT_LE(box.sizeHint().height(), box.height());
    driver.type(Field::Address, driver.url("/moved"));
    driver.type(Field::OldText, "");
    driver.clickTab(3);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, box.height() / 2));
    driver.press("Command3");
    EXPECT_EQ(driver.read("第一条.url"),
              "[InternetShortcut]\r\nURL=" + driver.url("/news/1.html") + "\r\n");
    for (const char* ninth : {"##1 ", " "}) {
        driver.close();
        EXPECT_NE(driver.program().read("db.dat").find("####" + driver.url("/news/") + ninth),
                  std::string::npos);
        driver.open(false);
        dynamic_cast<QCheckBox&>(the("Check1")).setChecked(false);
    }
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (!QtChinese::install(application))
        return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
