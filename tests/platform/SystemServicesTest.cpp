#include "TemporaryFolder.h"
#include "platform/FileError.h"
#include "platform/LocalSystemServices.h"
#include "platform/SystemError.h"
#include "platform/WindowsDirectoryQuery.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace corvano;
using namespace corvano::test;

namespace {

// A query that holds `directory` and answers as the system call does.
WindowsDirectoryQuery::Call systemHolding(const std::string& directory, int* calls)
{
    return [directory, calls](char* buffer, unsigned size) -> unsigned {
        ++*calls;
        if (directory.size() >= size)
            return static_cast<unsigned>(directory.size() + 1);
        std::memcpy(buffer, directory.c_str(), directory.size() + 1);
        return static_cast<unsigned>(directory.size());
    };
}

} // namespace

TEST(WindowsDirectoryQuery, ReadsShortAndLongDirectoriesWhole)
{
    int calls = 0;
    EXPECT_EQ(WindowsDirectoryQuery::read(systemHolding("C:\\WINDOWS", &calls)), "C:\\WINDOWS");
    EXPECT_EQ(calls, 1);
    for (std::size_t length : {79u, 80u, 200u}) {
        const std::string directory = "E:\\" + std::string(length - 3, 'w');
        calls = 0;
        EXPECT_EQ(WindowsDirectoryQuery::read(systemHolding(directory, &calls)), directory);
        EXPECT_EQ(calls, length < 80 ? 1 : 2);
    }
    EXPECT_THROW(WindowsDirectoryQuery::read([](char*, unsigned) { return 0u; }), SystemError);
    EXPECT_THROW(WindowsDirectoryQuery::read([](char*, unsigned size) { return size + 1; }),
                 SystemError);
}

TEST(LocalSystemServices, HasNoWindowsDirectory)
{
    EXPECT_EQ(LocalSystemServices().windowsDirectory(), std::nullopt);
}

TEST(LocalSystemServices, FindFirstHonoursTheAttributes)
{
    TemporaryFolder folder;
    folder.write("plain.ocx", "x");
    folder.write(".hidden.ocx", "x");
    std::filesystem::create_directory(folder.path() / "sub");
    const LocalSystemServices system;
    using enum SearchAttributes;
    EXPECT_EQ(system.findFirst(folder.file("plain.ocx"), OrdinaryFiles), "plain.ocx");
    EXPECT_EQ(system.findFirst(folder.file(".hidden.ocx"), OrdinaryFiles), "");
    EXPECT_EQ(system.findFirst(folder.file("missing.ocx"), WithFolders), "");
    EXPECT_EQ(system.findFirst(folder.file("sub"), OrdinaryFiles), "");
    EXPECT_EQ(system.findFirst(folder.file("sub"), WithFolders), "sub");
    EXPECT_EQ(system.findFirst(folder.file("sub") + "/", WithFolders), ".");
    EXPECT_EQ(system.findFirst(folder.file("sub") + "/", OrdinaryFiles), "");
    EXPECT_EQ(system.findFirst(folder.prefix(), OrdinaryFiles), "plain.ocx");
    EXPECT_EQ(system.findFirst(folder.file("nowhere") + "/", WithFolders), "");
}

TEST(LocalSystemServices, CopyReplacesTheTargetAndNamesWhatFailed)
{
    TemporaryFolder folder;
    folder.write("source", "new");
    folder.write("target", "old and longer");
    LocalSystemServices system;
    system.copyFile(folder.file("source"), folder.file("target"));
    EXPECT_EQ(folder.read("target"), "new");
    try {
        system.copyFile(folder.file("missing"), folder.file("target"));
        ADD_FAILURE() << "copied a missing file";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), folder.file("missing"));
    }
    try {
        system.copyFile(folder.file("source"), folder.file("no/such/folder"));
        ADD_FAILURE() << "copied into a missing folder";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), folder.file("no/such/folder"));
    }
}

TEST(LocalSystemServices, StartsWithoutWaitingAndReportsWhatCannotStart)
{
    TemporaryFolder folder;
    LocalSystemServices system;
    const auto before = std::chrono::steady_clock::now();
    system.startWithoutWaiting("sleep 2 ");
    system.startWithoutWaiting("touch " + folder.file("started") + "  ");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    for (int i = 0; i < 100 && !std::filesystem::exists(folder.file("started")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(std::filesystem::exists(folder.file("started")));
    EXPECT_THROW(system.startWithoutWaiting("corvano-no-such-program " + folder.file("x")),
                 SystemError);
    EXPECT_THROW(system.startWithoutWaiting("   "), SystemError);
}
