#include "WideTemporaryFolder.h"
#include "ui/picker/win32/DriveEntry.h"
#include "ui/picker/win32/DriveFolders.h"
#include "ui/picker/win32/FolderChain.h"
#include "ui/picker/win32/Subfolders.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace corvano;

TEST(DriveEntryTest, RootIsTheFirstTwoCharactersAndOneBackslash)
{
    EXPECT_EQ(DriveEntry::rootOf(L"c: [SYSTEM]"), L"c:\\");
    EXPECT_EQ(DriveEntry::rootOf(L"a:"), L"a:\\");
    EXPECT_EQ(DriveEntry::text(L"C:\\", L"SYSTEM"), L"c: [SYSTEM]");
    EXPECT_EQ(DriveEntry::text(L"D:\\", L""), L"d:");
}

// The root, then each folder down to the open one. Edge cases: roots keep their one
// backslash, stray separators go, no root gives no chain.
TEST(FolderChainTest, RootThenEachFolderDownToTheOpenOne)
{
    // The path, the names of the chain joined by "|", the open folder's path.
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"c:\\links\\a", L"C:\\|links|a", L"C:\\links\\a"},
        {L"C:\\", L"C:\\", L"C:\\"},
        {L"C:", L"C:\\", L"C:\\"},
        {L"C:\\links\\\\a\\", L"C:\\|links|a", L"C:\\links\\a"},
        {L"C:/links/a", L"C:\\|links|a", L"C:\\links\\a"},
        {L"\\\\server\\share", L"\\\\server\\share\\", L"\\\\server\\share\\"},
        {L"\\\\server\\share\\links", L"\\\\server\\share\\|links", L"\\\\server\\share\\links"},
        {L"", L"", L""},
        {L"links\\a", L"", L""},
        {L"\\\\server", L"", L""},
        {L"1:\\a", L"", L""},
    };
    for (const auto& [path, names, open] : cases) {
        const auto chain = FolderChain::of(path);
        std::wstring joined;
        for (const FolderLink& link : chain)
            joined += (joined.empty() ? L"" : L"|") + link.name;
        EXPECT_EQ(joined, names) << path;
        EXPECT_EQ(chain.empty() ? L"" : chain.back().path, open) << path;
    }
    EXPECT_EQ(FolderChain::of(L"c:\\links\\a")[1].path, L"C:\\links");
}

TEST(SubfoldersTest, VisibleFoldersOnlyInNaturalOrder)
{
    test::WideTemporaryFolder folder;
    for (const wchar_t* name : {L"b", L"a10", L"A2", L"a9", L"hidden", L"中文"})
        ASSERT_TRUE(::CreateDirectoryW((folder.widePath() + L"\\" + name).c_str(), nullptr));
    ::SetFileAttributesW((folder.widePath() + L"\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CloseHandle(::CreateFileW((folder.widePath() + L"\\file").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, 0, nullptr));
    const auto found = Subfolders::of(folder.widePath());
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 5u);
    EXPECT_EQ(std::vector<std::wstring>(found->begin(), found->end() - 1),
              (std::vector<std::wstring>{L"A2", L"a9", L"a10", L"b"}));
    EXPECT_TRUE(Subfolders::of(folder.widePath() + L"\\a9\\")->empty());
    EXPECT_FALSE(Subfolders::of(folder.widePath() + L"\\missing"));
}

// A drive's current folder is its own: making another drive's root current leaves the
// program's folder alone, and a drive that is not ready keeps what it had.
TEST(DriveFoldersTest, EachDriveKeepsItsCurrentFolder)
{
    const auto entries = DriveFolders::entries();
    ASSERT_FALSE(entries.empty());
    for (const std::wstring& entry : entries)
        EXPECT_TRUE(entry.size() >= 2 && entry[0] >= L'a' && entry[0] <= L'z' && entry[1] == L':')
            << entry.c_str();
    const std::wstring before = DriveFolders::currentDirectory();
    ASSERT_TRUE(::SetCurrentDirectoryW(L"C:\\windows"));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"=Z:", L"Z:\\tmp"));
    EXPECT_EQ(DriveFolders::currentFolder(L"z:\\"), L"Z:\\tmp");
    EXPECT_TRUE(DriveFolders::makeRootCurrent(L"z:\\"));
    EXPECT_EQ(DriveFolders::currentFolder(L"z:\\"), L"Z:\\");
    EXPECT_EQ(DriveFolders::currentDirectory(), L"C:\\windows");
    // On the program's own drive, the program's folder is that drive's current folder.
    EXPECT_TRUE(DriveFolders::makeRootCurrent(L"c:\\"));
    EXPECT_EQ(DriveFolders::currentDirectory(), L"C:\\");
    EXPECT_FALSE(DriveFolders::makeRootCurrent(L"y:\\"));
    ::SetCurrentDirectoryW(before.c_str());
}
