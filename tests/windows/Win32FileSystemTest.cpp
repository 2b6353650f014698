#include "platform/win32/Win32FileSystem.h"

#include "WideTemporaryFolder.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace corvano;
using namespace corvano::test;
using Durability = FileSystem::Durability;
using Names = std::set<std::string>;

// UTF-8 names reach the disk at "\" or "/"; replacing is one step, creating truncates nothing
TEST(Win32FileSystem, WritesEveryNameWindowsCanHoldAtEitherSeparator)
{
    WideTemporaryFolder folder;
    Win32FileSystem files;
    // Chinese (in code page 936), and characters no ANSI code page has.
    for (const std::string name : {"春雨.url", "😀 ẞ ǅ.url"}) {
        files.replaceFile(folder.path() + "/" + name, "URL=x\r\n", Durability::Flushed);
        EXPECT_EQ(files.readFile(folder.file(name)), "URL=x\r\n") << name;
        EXPECT_EQ(files.fileLength(folder.path() + "/" + name), 7u) << name;
    }
    const std::wstring wide = folder.widePath() + L"\\\u6625\u96e8.url";
    EXPECT_NE(::GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(files.exists(folder.path() + "/") && files.exists(""));
    const std::string path = folder.file("db.dat");
    files.replaceFile(path, std::string(100000, 'a'), Durability::Flushed);
    files.replaceFile(path, "short", Durability::Cached);
    files.createIfMissing(path);
    EXPECT_EQ(files.readFile(path), "short");
    files.createIfMissing(folder.file("new.log"));
    EXPECT_EQ(files.fileLength(folder.file("new.log")), 0u);
    // Failures carry the portable cause the messages are worded from, and leave nothing behind.
    const std::string missing = folder.file("no folder") + "\\x.url";
    try {
        files.replaceFile(missing, "x", Durability::Cached);
        FAIL() << "a file in a missing folder was written";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), missing);
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
    EXPECT_THROW(files.readFile(folder.file("none")), FileError);
    ::CreateDirectoryW((folder.widePath() + L"\\taken.url").c_str(), nullptr);
    EXPECT_THROW(files.replaceFile(folder.file("taken.url"), "x", Durability::Cached), FileError);
    EXPECT_EQ(folder.names(), (Names{"db.dat", "new.log", "taken.url", "春雨.url", "😀 ẞ ǅ.url"}));
    // Long paths: past the classic limit the "\\?\" form is used, absolute and resolved, so a long
    // folder and a long title still make a file (real Windows enforces the limit, Wine not).
    const std::string deep = folder.file(std::string(120, 'd'));
    ::CreateDirectoryW(Win32FileSystem::systemPath(deep).c_str(), nullptr);
    const std::string longPath = deep + "\\" + std::string(150, 't') + ".url";
    files.replaceFile(longPath, "URL=x\r\n", Durability::Cached);
    EXPECT_EQ(files.readFile(deep + "/../" + std::string(120, 'd') + "/" + std::string(150, 't') +
                             ".url"),
              "URL=x\r\n");
    const std::wstring longForm = Win32FileSystem::systemPath(longPath);
    EXPECT_TRUE(longForm.starts_with(L"\\\\?\\")) << longPath;
    EXPECT_EQ(longForm.find(L'/'), std::wstring::npos);
    EXPECT_EQ(Win32FileSystem::systemPath("C:/a/b.url"), L"C:\\a\\b.url"); // short: as typed
    // A folder ends at its last "\", "/" or drive colon.
    EXPECT_EQ(files.lastSeparator("C:\\a/b") + files.lastSeparator("C:name"), 5u);
    EXPECT_EQ(Win32FileSystem::systemPath("\\\\server\\share\\" + std::string(250, 'x')),
              L"\\\\?\\UNC\\server\\share\\" + std::wstring(250, L'x'));
}

namespace {

// A target held by another program for the first tries, as a virus scanner holds a new file.
class HeldFileSystem : public Win32FileSystem
{
public:
    HeldFileSystem(int heldTries, DWORD error) : m_heldTries(heldTries), m_error(error) {}

    std::vector<unsigned> waits;

protected:
    bool replaceExisting(const std::wstring& target, const std::wstring& temporary) override
    {
        return !held() && Win32FileSystem::replaceExisting(target, temporary);
    }
    bool moveInto(const std::wstring& temporary, const std::wstring& target) override
    {
        return !held() && Win32FileSystem::moveInto(temporary, target);
    }
    void pause(unsigned milliseconds) override { waits.push_back(milliseconds); }

private:
    // Both calls of one try fail while the target is held.
    bool held()
    {
        if (m_tries >= 2 * m_heldTries)
            return false;
        ++m_tries;
        ::SetLastError(m_error);
        return true;
    }

    int m_heldTries;
    DWORD m_error;
    int m_tries = 0;
};

} // namespace

// A target held for under a second is replaced once let go; else the old file stays intact
TEST(Win32FileSystem, RetriesAFileHeldForAMomentWithinASecond)
{
    // tries held, the error meanwhile, the file after, the waits
    for (const auto& [held, error, after, waits] :
         std::vector<std::tuple<int, DWORD, std::string, std::size_t>>{
             {0, ERROR_SUCCESS, "new", 0},
             {3, ERROR_SHARING_VIOLATION, "new", 3},
             {8, ERROR_ACCESS_DENIED, "new", 8},
             // Edge cases: held past the last wait; an error that is not another's hold.
             {100, ERROR_SHARING_VIOLATION, "old", 8},
             {100, ERROR_DISK_FULL, "old", 0},
         }) {
        SCOPED_TRACE(std::to_string(held) + " " + std::to_string(error));
        WideTemporaryFolder folder;
        Win32FileSystem().replaceFile(folder.file("a.url"), "old", Durability::Cached);
        HeldFileSystem files(held, error);
        if (after == "new")
            files.replaceFile(folder.file("a.url"), "new", Durability::Cached);
        else
            EXPECT_THROW(files.replaceFile(folder.file("a.url"), "new", Durability::Cached),
                         FileError);
        EXPECT_EQ(files.readFile(folder.file("a.url")), after);
        EXPECT_EQ(files.waits.size(), waits);
        EXPECT_LE(std::accumulate(files.waits.begin(), files.waits.end(), 0u), 1000u);
        EXPECT_EQ(folder.names(), Names{"a.url"}); // no temporary left
    }
}
