#include "WideTemporaryFolder.h"
#include "platform/ProgramLocations.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;

// Portable where its folder is writable; else %APPDATA%\Corvano, and the profile as fallback
TEST(ProgramLocationsWin32, PortableWhereTheFolderCanBeWrittenElseTheUsersFolders)
{
    WideTemporaryFolder folder;
    const ProgramLocations::Environment user{
        "C:\\Users\\Lin", "C:\\Users\\Lin\\AppData\\Roaming", {}};
    const auto portable = ProgramLocations::detect(folder.path(), user);
    EXPECT_TRUE(portable.isPortable());
    EXPECT_EQ(portable.settingsFile(), folder.file("db.dat"));
    EXPECT_EQ(portable.logFolder(), folder.path());
    EXPECT_TRUE(folder.names().empty()); // the probe leaves nothing

    const std::string locked = folder.file("Program Files\\Corvano");
    // APPDATA unset falls back to its place in the profile.
    const auto installed = ProgramLocations::detect(locked, {"C:\\Users\\Lin", "", {}});
    EXPECT_FALSE(installed.isPortable());
    EXPECT_EQ(installed.settingsFile(), "C:\\Users\\Lin\\AppData\\Roaming\\Corvano\\db.dat");
    EXPECT_EQ(installed.fallbackFolder(), "C:\\Users\\Lin");
    EXPECT_EQ(installed.pictureFolder(), locked + "\\img");
}
