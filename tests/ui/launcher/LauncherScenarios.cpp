// The launcher's decided behaviour, run against each toolkit's launcher through its driver.
#include "LauncherDriver.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using testing::HasSubstr;
using Button = LauncherDriver::Button;
using Mouse = LauncherDriver::Mouse;
using Lines = std::vector<std::string>;

namespace {

class LauncherScenario : public ::testing::Test
{
protected:
    void SetUp() override { launcher->prepare(); }

    void show()
    {
        ASSERT_EQ(launcher->start(launcher->system), Lines());
        ASSERT_TRUE(launcher->isShown());
    }

    std::unique_ptr<LauncherDriver> launcher = makeLauncherDriver();
};

} // namespace

// A missing picture, or a component the check cannot copy into place, is told and no window
// shows.
TEST_F(LauncherScenario, AFailedStartIsToldAndShowsNoWindow)
{
    for (const char* missing : {"B1.jpg", "B2.jpg"}) {
        std::filesystem::copy(CORVANO_PICTURES_DIR, launcher->img(),
                              std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(launcher->img(missing));
        const Lines boxes = launcher->start(launcher->system);
        ASSERT_EQ(boxes.size(), 1u) << missing;
        EXPECT_THAT(boxes[0], HasSubstr(missing));
        EXPECT_FALSE(launcher->isShown());
    }
    FakeWindows blocked;
    blocked.addFile(launcher->program() + "\\COMDLG32.OCX", "dialog");
    blocked.addFolder("C:\\WINDOWS\\system32\\COMDLG32.OCX");
    const Lines boxes = launcher->start(blocked);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_THAT(boxes[0], HasSubstr("无法复制组件文件"));
    EXPECT_FALSE(launcher->isShown());
}

// Any button swaps the picture while held; released off the button, nothing is clicked.
// Pictures gone or broken since the start leave the last ones in place.
TEST_F(LauncherScenario, APressShowsB2AndAReleaseB1)
{
    show();
    EXPECT_TRUE(launcher->pictureShows(launcher->img("B1.jpg")));
    for (const Button button : {Button::Right, Button::Left, Button::Middle}) {
        launcher->mouse("Picture1", Mouse::Press, button, {70, 25});
        EXPECT_TRUE(launcher->pictureShows(launcher->img("B2.jpg")));
        launcher->mouse("Picture1", Mouse::Move, button, {200, 25});
        launcher->mouse("Picture1", Mouse::Release, button, {200, 25});
        EXPECT_TRUE(launcher->pictureShows(launcher->img("B1.jpg")));
    }
    EXPECT_EQ(launcher->asked(), Lines());

    // Edge case
    std::filesystem::remove(launcher->img("B1.jpg"));
    std::filesystem::resize_file(launcher->img("B2.jpg"), 10);
    launcher->click("Picture1", Button::Right);
    EXPECT_TRUE(launcher->pictureShows(CORVANO_PICTURES_DIR "/B1.jpg"));
    EXPECT_EQ(launcher->asked(), Lines());
}

// Only a left drag that begins on the surface moves the window: the pointer ends 220 x 50
// twips from the corner (301 px is 4515 twips, less 220 is 4295 twips or 286 px; 100 px less
// 50 twips is 97 px). Other buttons, and drags that begin on a control, do nothing.
TEST_F(LauncherScenario, OnlyALeftDragOnTheSurfaceMovesTheWindow)
{
    show();
    const auto [left, top] = launcher->corner();
    for (const Button other : {Button::Right, Button::Middle})
        launcher->drag("", other, {{300, 100}, {350, 150}});
    for (const char* name : {"Label1", "Label2", "Label3", "Picture1", "Scriptlet1"}) {
        launcher->drag(name, Button::Left, {{0, 0}, {230, 60}});
        EXPECT_EQ(launcher->corner(), std::pair(left, top)) << name;
    }
    launcher->drag("", Button::Left, {{300, 100}, {301, 100}});
    EXPECT_EQ(launcher->corner(), std::pair(left + 286, top + 97));
    launcher->drag("", Button::Left, {{40, 10}, {40, 10}});
    EXPECT_EQ(launcher->corner(), std::pair(left + 286 + 25, top + 97 + 7));
    EXPECT_EQ(launcher->asked(), Lines());
}

// The web address opens in the browser and the launcher stays; a right click on the button
// does nothing; a left click closes the launcher, then shows the main window.
TEST_F(LauncherScenario, AClickClosesTheLauncherThenShowsTheMainWindow)
{
    show();
    launcher->click("Label3");
    EXPECT_EQ(launcher->asked(), Lines{"http://www.example.com"});
    EXPECT_TRUE(launcher->isShown());
    launcher->click("Picture1", Button::Right);
    EXPECT_EQ(launcher->asked().size(), 1u);
    launcher->click("Picture1");
    EXPECT_EQ(launcher->asked(), (Lines{"http://www.example.com", "main"}));
    EXPECT_FALSE(launcher->isShown());
}
