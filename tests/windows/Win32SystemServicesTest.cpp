#include "platform/win32/Win32SystemServices.h"

#include "WideTemporaryFolder.h"
#include "platform/FileError.h"
#include "platform/win32/WideText.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

using namespace corvano;
using namespace corvano::test;

namespace {

void put(const std::string& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(WideText::fromUtf8(path)), std::ios::binary) << bytes;
}

std::string contents(const std::string& path)
{
    std::ifstream in(std::filesystem::path(WideText::fromUtf8(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(Win32SystemServices, FindsOnlyWhatTheAttributesAllowAndCopiesReplacing)
{
    WideTemporaryFolder folder;
    put(folder.file("春雨.ocx"), "x");
    put(folder.file("hidden.ocx"), "x");
    put(folder.file("system.ocx"), "x");
    ::SetFileAttributesW((folder.widePath() + L"\\hidden.ocx").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW((folder.widePath() + L"\\system.ocx").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ::CreateDirectoryW((folder.widePath() + L"\\only hidden").c_str(), nullptr);

    using Attributes = SearchAttributes;
    // path below the folder, attributes, the name found
    using Case = std::tuple<std::string, Attributes, std::string>;
    const Case cases[] = {
        {"\\春雨.ocx", Attributes::OrdinaryFiles, "春雨.ocx"},
        {"/春雨.OCX", Attributes::WithFolders, "春雨.ocx"},
        {"\\hidden.ocx", Attributes::OrdinaryFiles, ""},
        {"\\system.ocx", Attributes::WithFolders, ""},
        // Folders: only with folders included; a trailing separator searches inside.
        {"\\only hidden", Attributes::OrdinaryFiles, ""},
        {"\\only hidden", Attributes::WithFolders, "only hidden"},
        {"\\only hidden\\", Attributes::WithFolders, "."},
        {"\\", Attributes::OrdinaryFiles, "春雨.ocx"},
        {"\\missing\\", Attributes::WithFolders, ""},
    };
    for (const auto& [path, attributes, found] : cases)
        EXPECT_EQ(Win32SystemServices().findFirst(folder.path() + path, attributes), found)
            << path << " " << static_cast<int>(attributes);
    // Copies replace, and a failure names the file at fault: here the target, whose folder
    // is missing.
    Win32SystemServices system;
    put(folder.file("new.ocx"), "new");
    put(folder.file("old.ocx"), "old");
    system.copyFile(folder.file("new.ocx"), folder.file("old.ocx"));
    EXPECT_EQ(contents(folder.file("old.ocx")), "new");
    try {
        system.copyFile(folder.file("new.ocx"), folder.file("missing\\copy.ocx"));
        ADD_FAILURE() << "copied into a missing folder";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), folder.file("missing\\copy.ocx"));
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
    const std::string mark = folder.file("started.txt");
    system.startWithoutWaiting("cmd /c echo started> \"" + mark + "\"");
    for (int poll = 0; poll < 200 && contents(mark).empty(); ++poll)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(contents(mark), "started\r\n");
    EXPECT_THROW(system.startWithoutWaiting("corvano-no-such-program x"), SystemError);
}
