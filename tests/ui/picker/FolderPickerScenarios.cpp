// The folder picker's decided behaviour, run against each toolkit's picker through its driver.
#include "FolderPickerDriver.h"
#include "ui/picker/PickedFolder.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace corvano;
using namespace corvano::test;

namespace {

class FolderPickerScenario : public ::testing::Test
{
protected:
    std::unique_ptr<FolderPickerDriver> picker = makeFolderPickerDriver();
    const char separator = picker->root().back();
};

} // namespace

// "确定" takes the open folder, not a highlighted subfolder, ending in one separator.
TEST_F(FolderPickerScenario, ConfirmTakesTheOpenFolderWithOneSeparator)
{
    // The folder open, the subfolder highlighted, the folder picked.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {picker->folder("links/a"), "deep", picker->folder("links/a") + separator},
        {picker->root(), "", picker->root()},
    };
    for (const auto& [open, highlighted, picked] : cases) {
        PickedFolder::confirm(picker->folder("links"));
        EXPECT_TRUE(picker->pick(open, [&] {
            if (!highlighted.empty())
                picker->clickRow(highlighted);
            picker->press("Command1");
        }));
        EXPECT_EQ(PickedFolder::value(), picked);
    }
}

// "取消", Esc and the close box leave PickedFolder as it was, whatever was opened meanwhile.
TEST_F(FolderPickerScenario, CancelEscapeAndCloseBoxKeepThePreviousFolder)
{
    const std::function<void()> closers[] = {
        [this] { picker->press("Command2"); },
        [this] { picker->pressEscape(); },
        [this] { picker->closeBox(); },
    };
    PickedFolder::confirm(picker->root());
    for (const auto& closeIt : closers) {
        EXPECT_FALSE(picker->pick(picker->folder("links"), [&] {
            picker->doubleClickRow("a");
            closeIt();
        }));
        EXPECT_EQ(PickedFolder::value(), picker->root());
    }
}

// The list shows the visible subfolders only, no files, in the native picker's order whatever
// the locale: digits by their value, letters in either case. A click only highlights; a double
// click or Enter opens.
TEST_F(FolderPickerScenario, ClickHighlightsDoubleClickAndEnterOpen)
{
    const std::string links = picker->folder("links");
    const std::vector<std::string> subfolders = {"a", "A2", "a9", "a10", "b"};
    EXPECT_TRUE(picker->pick(links, [&] {
        EXPECT_TRUE(picker->shows(links, subfolders));
        picker->clickRow("a");
        EXPECT_TRUE(picker->shows(links, subfolders));
        picker->doubleClickRow("a");
        EXPECT_TRUE(picker->shows(picker->folder("links/a"), {"deep"}));
        picker->clickRow("deep");
        picker->pressEnter();
        EXPECT_TRUE(picker->shows(picker->folder("links/a/deep"), {}));
        picker->press("Command1");
    }));
    EXPECT_EQ(PickedFolder::value(), picker->folder("links/a/deep") + separator);
}
