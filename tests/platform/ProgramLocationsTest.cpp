#include "platform/ProgramLocations.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
namespace fs = std::filesystem;

// A folder with its pictures keeps everything beside the program; an installed one reads its
// prefix and writes to the user's folders, where XDG variables count only when absolute
TEST(ProgramLocationsTest, PortableBesideTheProgramInstalledInTheUsersFolders)
{
    TemporaryFolder prefix, home;
    const std::string bin = prefix.file("bin");
    fs::create_directories(bin + "/img");
    const auto portable = ProgramLocations::detect(bin, {"/home/ann", "", ""});
    EXPECT_TRUE(portable.isPortable());
    EXPECT_EQ(portable.pictureFolder() + "|" + portable.settingsFile() + "|" +
                  portable.logFolder() + "|" + portable.fallbackFolder(),
              bin + "/img|" + bin + "/db.dat|" + bin + "|" + bin);
    fs::remove(bin + "/img");
    const std::string user = home.path().string();
    const auto installed = ProgramLocations::detect(bin, {user, user + "/cfg", "relative/state"});
    EXPECT_FALSE(installed.isPortable());
    EXPECT_EQ(installed.pictureFolder(), prefix.file("share/corvano/img"));
    EXPECT_EQ(installed.settingsFile(), user + "/cfg/corvano/db.dat");
    EXPECT_EQ(installed.logFolder(), home.file(".local/state/corvano"));
    EXPECT_EQ(installed.fallbackFolder(), user);
    installed.createFolders();
    installed.createFolders();
    EXPECT_TRUE(fs::is_directory(home.path() / ".local/state/corvano"));
    // A copy with its pictures in a folder it cannot write (unpacked by root, a read-only
    // medium) shows its own pictures and keeps the user's files in the XDG folders.
    const auto readOnly = ProgramLocations::arrange(
        "/opt/corvano", ProgramLocations::layoutOf(true, false), {"/home/ann", "", ""});
    EXPECT_FALSE(readOnly.isPortable());
    EXPECT_EQ(readOnly.pictureFolder() + "|" + readOnly.settingsFile() + "|" +
                  readOnly.logFolder() + "|" + readOnly.fallbackFolder(),
              "/opt/corvano/img|/home/ann/.config/corvano/db.dat|/home/ann/.local/state/"
              "corvano|/home/ann");
}
