// The main window's decided behaviour, run against each toolkit's window through its driver.
#include "MainWindowDriver.h"
#include "platform/AnsiCodec.h"
#include "ui/picker/PickedFolder.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using namespace std::chrono_literals;

namespace {

class MainWindowScenario : public ::testing::Test
{
protected:
    std::unique_ptr<MainWindowDriver> window = makeMainWindowDriver();
};

} // namespace

// Pages follow the tab captions, not their positions; an extraction error brings up the
// string settings with the text at fault focused, and the status says so while the box shows.
// There "自动识别" fills Text4 to Text6 from the page's list.
TEST_F(MainWindowScenario, PagesFollowTheCaptionsAndTheStringsComeFromThePage)
{
    window->openForARun();
    std::vector<std::string> shown;
    for (const int tab : {2, 3, 3, 1}) {
        window->clickTab(tab);
        shown.push_back(window->page());
    }
    window->renameTab(2, "其他");
    window->clickTab(2);
    shown.push_back(window->page());
    EXPECT_EQ(shown, (std::vector<std::string>{"Frame7", "Frame5", "Frame5", "Frame3", "Frame3"}));

    window->clickTab(1);
    window->type(Field::Start, "<ol>");
    window->press("Command3");
    const auto messages = window->takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].status, "生成失败");
    EXPECT_EQ(window->page(), "Frame5");
    EXPECT_EQ(window->selectedTab(), 3);
    EXPECT_EQ(window->focused(), "Text4");

    window->type(Field::Address, window->url("/lists.html"));
    window->press("Command4");
    EXPECT_EQ(window->text(Field::Start) + window->text(Field::End) + window->text(Field::Contains),
              R"(<ol class="文章"></ol>/p/)");
    EXPECT_EQ(window->takeMessages().size(), 1u);
}

// A template without "URL=" is questioned before the download: Yes puts in the standard
// content and the run goes on; No ends it with the caret in Text3 and nothing written.
TEST_F(MainWindowScenario, ATemplateWithoutAnAddressIsQuestioned)
{
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "是" : "否");
        window->openForARun();
        window->type(Field::Template, "");
        window->answerQuestionsWith(yes);
        window->press("Command3");
        const auto messages = window->takeMessages();
        ASSERT_EQ(messages.size(), yes ? 2u : 1u);
        EXPECT_TRUE(messages[0].question);
        EXPECT_EQ(window->text(Field::Template), yes ? "[InternetShortcut]\r\nURL=" : "");
        EXPECT_EQ(window->targetIsEmpty(), !yes);
        EXPECT_TRUE(yes || window->focused() == "Text3") << window->focused();
    }
}

// A whole run: the box, the status, the list and the files; then the save button writes the
// list.
TEST_F(MainWindowScenario, ARunWritesTheFilesAndTheSaveButtonTheList)
{
    window->openForARun();
    window->press("Command3");
    const auto messages = window->takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "恭喜，URL文件生成完毕！");
    EXPECT_EQ(window->caption(StatusLabel::Label3), "生成完毕");
    EXPECT_EQ(window->caption(StatusLabel::Label5), "          共生成2个URL文件");
    const std::string first = window->url("/news/1.html");
    const std::string second = window->url("/news/2.html");
    EXPECT_EQ(window->linkList(), "第一条        " + first + "\n第二条        " + second + "\n");
    EXPECT_EQ(window->read("第一条.url"), "[InternetShortcut]\r\nURL=" + first + "\r\n");
    window->saveListAs(window->targetFile("list.html"));
    EXPECT_EQ(window->read("list.html"),
              AnsiCodec::encode("<a href=\"" + first + "\">第一条</a><br><a href=\"" + second +
                                "\">第二条</a><br>\r\n"));
}

// A run stopped by a file it cannot write says why, with the status already failed while the
// box shows; one on which no link passes shows no box but a count of 0.
TEST_F(MainWindowScenario, AFailedOrEmptyRunEndsInItsStatus)
{
    window->openForARun();
    std::filesystem::create_directory(MainWindowDriver::pathOf(window->targetFile("第二条.url")));
    window->press("Command3");
    auto messages = window->takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "文件错误");
    EXPECT_TRUE(messages[0].text.starts_with("无法写入文件 " + window->targetFile("第二条.url")))
        << messages[0].text;
    EXPECT_EQ(messages[0].status, "生成失败");
    EXPECT_EQ(window->caption(StatusLabel::Label3), "生成失败");
    EXPECT_EQ(window->caption(StatusLabel::Label5), "");

    window->type(Field::Contains, ".asp");
    window->press("Command3");
    EXPECT_TRUE(window->takeMessages().empty());
    EXPECT_EQ(window->caption(StatusLabel::Label5), "          共生成0个URL文件");
}

// The eight texts and the check box come back after a restart, the multi-line template with
// its line breaks. The box, off in a new window, has a run complete the page's addresses.
TEST_F(MainWindowScenario, SettingsSurviveARestart)
{
    window->openForARun();
    EXPECT_FALSE(window->isChecked());
    window->type(Field::Template, "[InternetShortcut]\r\nURL=\r\nIconIndex=0");
    window->type(Field::OldText, "");
    window->press("Check1");
    window->press("Command3");
    EXPECT_NE(window->read("第一条.url").find("URL=" + window->url("/news/1.html") + "\r\n"),
              std::string::npos);
    std::vector<std::string> before;
    for (const Field field : kFields)
        before.push_back(window->text(field));
    window->close();
    window->open();
    for (const Field field : kFields)
        EXPECT_EQ(window->text(field), before[textNumber(field) - 1]) << textNumber(field);
    EXPECT_TRUE(window->isChecked());
}

// While a run waits for its page the window stays live: it ignores a second press and turns
// its pages. Closing it then ends the run at once: no box, no file; the texts are saved as
// they were.
TEST_F(MainWindowScenario, AWaitingRunStaysLiveAndClosingEndsIt)
{
    window->openForARun();
    window->type(Field::Address, window->url("/hold.html"));
    std::vector<std::string> seen; // the page and Label3 while the run waits
    window->later(500ms, [&] {
        window->press("Command3");
        window->clickTab(2);
        seen = {window->page(), window->caption(StatusLabel::Label3)};
        window->close();
    });
    window->press("Command3");
    EXPECT_EQ(seen, (std::vector<std::string>{"Frame7", "获取列表"}));
    EXPECT_TRUE(window->takeMessages().empty());
    EXPECT_TRUE(window->targetIsEmpty());
    EXPECT_EQ(window->holds(), 1);
    window->open();
    EXPECT_EQ(window->text(Field::Address), window->url("/hold.html"));
}

// Only "确定" sets Text2: "取消" and the close box leave what is there (a restored folder,
// say), before and after a confirmed choice.
TEST_F(MainWindowScenario, BrowseCopiesOnlyAConfirmedFolderIntoText2)
{
    window->open();
    for (const std::string typed : {"D:\\restored\\", "D:\\typed\\"}) {
        window->type(Field::Folder, typed);
        for (const std::string answer : {"取消", ""}) {
            window->browse(answer);
            EXPECT_EQ(window->text(Field::Folder), typed) << answer;
        }
        window->browse("确定");
        EXPECT_EQ(window->text(Field::Folder), PickedFolder::value());
    }
}
