#include "platform/ProgramLocations.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace corvano::test;
namespace fs = std::filesystem;

namespace {

class ProgramLocationsTest : public ::testing::Test
{
protected:
    void SetUp() override { fs::create_directories(prefix.path() / "bin"); }

    std::string bin() const { return (prefix.path() / "bin").string(); }

    TemporaryFolder prefix;
    ProgramLocations::Environment environment{"/home/ann", "", ""};
};

} // namespace

TEST_F(ProgramLocationsTest, AFolderWithItsPicturesKeepsEverythingBesideTheProgram)
{
    fs::create_directory(prefix.path() / "bin" / "img");
    const auto locations = ProgramLocations::detect(bin(), environment);
    EXPECT_TRUE(locations.isPortable());
    EXPECT_EQ(locations.pictureFolder(), bin() + "/img");
    EXPECT_EQ(locations.settingsFile(), bin() + "/db.dat");
    EXPECT_EQ(locations.logFolder(), bin());
    EXPECT_EQ(locations.fallbackFolder(), bin());
}

TEST_F(ProgramLocationsTest, AnInstalledProgramReadsItsPrefixAndWritesToTheUsersFolders)
{
    const auto locations = ProgramLocations::detect(bin(), environment);
    EXPECT_FALSE(locations.isPortable());
    EXPECT_EQ(locations.pictureFolder(), (prefix.path() / "share/corvano/img").string());
    EXPECT_EQ(locations.settingsFile(), "/home/ann/.config/corvano/db.dat");
    EXPECT_EQ(locations.logFolder(), "/home/ann/.local/state/corvano");
    EXPECT_EQ(locations.fallbackFolder(), "/home/ann");
}

// Edge cases: the XDG variables count only when absolute
TEST_F(ProgramLocationsTest, AbsoluteXdgFoldersWinAndRelativeOnesAreIgnored)
{
    environment.configHome = "/cfg";
    environment.stateHome = "relative/state";
    const auto locations = ProgramLocations::detect(bin(), environment);
    EXPECT_EQ(locations.settingsFile(), "/cfg/corvano/db.dat");
    EXPECT_EQ(locations.logFolder(), "/home/ann/.local/state/corvano");
}

TEST_F(ProgramLocationsTest, CreateFoldersMakesTheUsersFoldersOnce)
{
    TemporaryFolder home;
    environment.home = home.path().string();
    const auto locations = ProgramLocations::detect(bin(), environment);
    locations.createFolders();
    locations.createFolders();
    EXPECT_TRUE(fs::is_directory(home.path() / ".config/corvano"));
    EXPECT_TRUE(fs::is_directory(home.path() / ".local/state/corvano"));
}
