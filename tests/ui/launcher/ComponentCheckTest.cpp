#include "ui/launcher/ComponentCheck.h"

#include "FakeWindows.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
using Lines = std::vector<std::string>;

namespace {

const std::string kProgram = "D:\\Corvano";
const std::string kWow = "C:\\WINDOWS\\SysWOW64\\";
const std::string kSys32 = "C:\\WINDOWS\\system32\\";
const std::string kRegWow = "regsvr32 C:\\WINDOWS\\SysWOW64\\";
const std::string kReg32 = "regsvr32 C:\\WINDOWS\\system32\\";

// A Windows system, 64-bit unless told otherwise, whose program folder holds both components.
struct Check
{
    explicit Check(bool sysWow64 = true)
    {
        windows.addFolder(sysWow64 ? kWow : kSys32);
        windows.addFile(kProgram + "\\COMDLG32.OCX", "dialog");
        windows.addFile(kProgram + "\\MSINET.OCX", "inet");
    }
    // The file or command line a failure names; "" when the check passes.
    std::string run()
    {
        const auto failure = ComponentCheck(windows, kProgram).run();
        return failure ? failure->subject : "";
    }

    FakeWindows windows;
};

} // namespace

TEST(ComponentCheck, CopiesAndRegistersWhatIsMissing)
{
    // 64-bit?, files present, comdlg32.ocx and msinet.ocx in the system folder after, started
    using Case = std::tuple<bool, Lines, std::string, Lines>;
    const Case cases[] = {
        {true, {kWow + "comdlg32.ocx", kWow + "msinet.ocx"}, "old old", {}},
        // One missing; on 64-bit Windows a copy in system32 does not count.
        {true,
         {kWow + "comdlg32.ocx", kSys32 + "msinet.ocx"},
         "old inet",
         {kRegWow + "msinet.ocx "}},
        {false, {}, "dialog inet", {kReg32 + "comdlg32.ocx", kReg32 + "msinet.ocx"}},
    };
    for (const auto& [sysWow64, present, contents, started] : cases) {
        SCOPED_TRACE(contents + (sysWow64 ? " on 64-bit" : " on 32-bit"));
        Check check(sysWow64);
        for (const std::string& file : present)
            check.windows.addFile(file, "old");
        EXPECT_EQ(check.run(), "");
        const std::string folder = sysWow64 ? kWow : kSys32;
        EXPECT_EQ(check.windows.read(folder + "COMDLG32.OCX") + " " +
                      check.windows.read(folder + "MSINET.OCX"),
                  contents);
        EXPECT_EQ(check.windows.started, started);
    }
}

TEST(ComponentCheck, HiddenFilesAndFoldersAreNotPresent)
{
    Check check;
    check.windows.addFile(kWow + "comdlg32.ocx", "hidden", true);
    check.windows.addFolder(kWow + "MSINET.OCX");
    // The folder is not the component, and the copy cannot replace it.
    EXPECT_EQ(check.run(), check.windows.local(kWow + "MSINET.OCX"));
    EXPECT_EQ(check.windows.read(kWow + "comdlg32.ocx"), "dialog");
    EXPECT_EQ(check.windows.started, Lines{kRegWow + "comdlg32.ocx"});
}

TEST(ComponentCheck, AComponentThatIsNotShippedIsLeftAlone)
{
    Check check;
    std::filesystem::remove(check.windows.local(kProgram + "\\COMDLG32.OCX"));
    EXPECT_EQ(check.run(), "");
    EXPECT_FALSE(std::filesystem::exists(check.windows.local(kWow + "COMDLG32.OCX")));
    EXPECT_EQ(check.windows.started, Lines{kRegWow + "msinet.ocx "});
}
