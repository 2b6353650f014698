#include "WideTemporaryFolder.h"
#include "platform/win32/Win32FileSystem.h"
#include "writers/UrlFileWriter.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

// Titles naming devices become files in the folder, and are read back as files, not devices
TEST(DeviceNameFile, TitlesThatNameDevicesLandInTheFolder)
{
    WideTemporaryFolder folder;
    Win32FileSystem files;
    const auto open = files.openFolder(folder.path() + "\\");
    std::set<std::string> expected;
    for (const std::string title : {"CON", "con.txt", "Nul", "COM1", "lpt9.x", "AUX", "CON ",
                                    "COM\u00B2", "LPT\u00B9.x", "CONIN$", "conout$"}) {
        const std::string name = UrlFileWriter::fileNameOf(title, 255);
        EXPECT_TRUE(open->updateFile(name, "URL=x\r\n")) << name;
        EXPECT_FALSE(open->updateFile(name, "URL=x\r\n")) << name;
        EXPECT_EQ(files.readFile(folder.file(name)), "URL=x\r\n") << name;
        expected.insert(name);
    }
    EXPECT_EQ(folder.names(), expected);
}
