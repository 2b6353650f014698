#include "ui/launcher/ComponentCheck.h"

#include "FakeWindows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using Copy = std::pair<std::string, std::string>;

namespace {

const std::string kProgram = "D:\\Corvano";
const std::string kWow = "C:\\WINDOWS\\SysWOW64\\";
const std::string kSystem32 = "C:\\WINDOWS\\system32\\";

// A 64-bit system whose program folder holds both components.
struct CheckTest : ::testing::Test
{
    CheckTest()
    {
        windows.addFolder(kWow);
        windows.addFile(kProgram + "\\COMDLG32.OCX", "dialog control");
        windows.addFile(kProgram + "\\MSINET.OCX", "transfer control");
    }

    std::optional<ComponentFailure> run() { return ComponentCheck(windows, kProgram).run(); }

    FakeWindows windows;
};

} // namespace

namespace corvano {
void PrintTo(const ComponentFailure& failure, std::ostream* out)
{
    *out << "failure at " << failure.subject << ": " << failure.reason;
}
} // namespace corvano

TEST_F(CheckTest, BothPresentCopiesAndStartsNothing)
{
    windows.addFile(kWow + "comdlg32.ocx");
    windows.addFile(kWow + "MSINET.OCX");
    EXPECT_EQ(run(), std::nullopt);
    EXPECT_THAT(windows.copies, IsEmpty());
    EXPECT_THAT(windows.started, IsEmpty());
}

TEST_F(CheckTest, OnlyTheMissingComponentIsCopiedAndRegistered)
{
    windows.addFile(kWow + "comdlg32.ocx", "installed before");
    EXPECT_EQ(run(), std::nullopt);
    EXPECT_THAT(windows.copies, ElementsAre(Copy{kProgram + "\\MSINET.OCX", kWow + "MSINET.OCX"}));
    EXPECT_EQ(windows.read(kWow + "msinet.ocx"), "transfer control");
    EXPECT_EQ(windows.read(kWow + "comdlg32.ocx"), "installed before");
    EXPECT_THAT(windows.started, ElementsAre("regsvr32 " + kWow + "msinet.ocx "));
}

TEST_F(CheckTest, SixtyFourBitUsesSysWow64OnlyWithItsExactCommandLines)
{
    windows.addFile(kSystem32 + "comdlg32.ocx");
    windows.addFile(kSystem32 + "MSINET.OCX");
    EXPECT_EQ(run(), std::nullopt);
    EXPECT_THAT(windows.copies,
                ElementsAre(Copy{kProgram + "\\COMDLG32.OCX", kWow + "COMDLG32.OCX"},
                            Copy{kProgram + "\\MSINET.OCX", kWow + "MSINET.OCX"}));
    EXPECT_THAT(windows.started, ElementsAre("regsvr32 C:\\WINDOWS\\SysWOW64\\comdlg32.ocx",
                                             "regsvr32 C:\\WINDOWS\\SysWOW64\\msinet.ocx "));
    EXPECT_THAT(windows.searched, Not(Contains(HasSubstr("system32"))));
}

TEST(ComponentCheck, WithoutSysWow64UsesSystem32AndNoTrailingBlank)
{
    FakeWindows windows;
    windows.addFolder(kSystem32);
    windows.addFile(kProgram + "\\COMDLG32.OCX");
    windows.addFile(kProgram + "\\MSINET.OCX");
    EXPECT_EQ(ComponentCheck(windows, kProgram).run(), std::nullopt);
    EXPECT_THAT(windows.searched, ElementsAre("C:\\WINDOWS\\SysWOW64\\", kSystem32 + "comdlg32.ocx",
                                              kSystem32 + "MSINET.OCX"));
    EXPECT_THAT(windows.started, ElementsAre("regsvr32 C:\\WINDOWS\\system32\\comdlg32.ocx",
                                             "regsvr32 C:\\WINDOWS\\system32\\msinet.ocx"));
    EXPECT_TRUE(windows.hasFile(kSystem32 + "COMDLG32.OCX"));
}

TEST_F(CheckTest, HiddenFilesAndFoldersDoNotCountAsPresent)
{
    windows.addFile(kWow + "comdlg32.ocx", "hidden copy");
    windows.markHidden(kWow + "comdlg32.ocx");
    windows.addFolder(kWow + "MSINET.OCX");
    const auto failure = run();
    EXPECT_EQ(windows.read(kWow + "COMDLG32.OCX"), "dialog control");
    // The folder is not the component, and the copy cannot replace it.
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, ComponentFailure::Step::Copy);
    EXPECT_EQ(failure->subject, windows.localPath(kWow + "MSINET.OCX"));
    EXPECT_THAT(windows.started, ElementsAre("regsvr32 " + kWow + "comdlg32.ocx"));
}

TEST_F(CheckTest, FailuresNameTheFileAndStopTheCheck)
{
    {
        FakeWindows bare;
        bare.addFolder(kWow);
        bare.addFile(kProgram + "\\MSINET.OCX");
        const auto failure = ComponentCheck(bare, kProgram).run();
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->step, ComponentFailure::Step::Copy);
        EXPECT_EQ(failure->subject, kProgram + "\\COMDLG32.OCX");
        EXPECT_THAT(bare.copies,
                    ElementsAre(Copy{kProgram + "\\COMDLG32.OCX", kWow + "COMDLG32.OCX"}));
        EXPECT_THAT(bare.started, IsEmpty());
    }
    windows.refuseCopies = true;
    auto failure = run();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->subject, kWow + "COMDLG32.OCX");
    EXPECT_EQ(failure->reason, "Permission denied");

    windows.refuseCopies = false;
    windows.refuseStarts = true;
    failure = run();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, ComponentFailure::Step::Register);
    EXPECT_EQ(failure->subject, "regsvr32 " + kWow + "comdlg32.ocx");
}

TEST(ComponentCheck, WithoutAWindowsDirectoryNothingIsExamined)
{
    FakeWindows windows(std::nullopt);
    EXPECT_EQ(ComponentCheck(windows, kProgram).run(), std::nullopt);
    EXPECT_THAT(windows.searched, IsEmpty());
}
