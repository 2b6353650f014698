#include "platform/win32/Win32SystemServices.h"

#include "WideTemporaryFolder.h"
#include "platform/FileError.h"
#include "platform/win32/WideText.h"
#include "ui/launcher/ComponentCheck.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

using namespace corvano;
using namespace corvano::test;
using Lines = std::vector<std::string>;

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

bool exists(const std::string& path)
{
    return ::GetFileAttributesW(WideText::fromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The real services, with the command lines they start noted down.
class RecordingServices : public Win32SystemServices
{
public:
    void startWithoutWaiting(const std::string& line) override
    {
        started.push_back(line);
        Win32SystemServices::startWithoutWaiting(line);
    }
    std::vector<std::string> started;
};

// Removes the components a test put into the shared prefix's system folders, both of them, so
// that a check that chose the wrong folder leaves nothing behind either. What was there before
// is kept.
class SystemFolderFiles
{
public:
    explicit SystemFolderFiles(const std::string& windows)
    {
        for (const char* folder : {"\\SysWOW64\\", "\\system32\\"}) {
            for (const char* name : {"COMDLG32.OCX", "MSINET.OCX"}) {
                if (!exists(windows + folder + name))
                    m_paths.push_back(windows + folder + name);
            }
        }
    }
    ~SystemFolderFiles()
    {
        for (const std::string& path : m_paths)
            ::DeleteFileW(WideText::fromUtf8(path).c_str());
    }
    SystemFolderFiles(const SystemFolderFiles&) = delete;
    SystemFolderFiles& operator=(const SystemFolderFiles&) = delete;

private:
    Lines m_paths;
};

std::string windowsFolder()
{
    return *Win32SystemServices().windowsDirectory();
}

std::string systemFolder()
{
    const bool sysWow64 = exists(windowsFolder() + "\\SysWOW64");
    return windowsFolder() + (sysWow64 ? "\\SysWOW64\\" : "\\system32\\");
}

} // namespace

TEST(Win32SystemServices, ReadsTheWindowsDirectory)
{
    wchar_t wide[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryW(wide, MAX_PATH);
    const auto directory = Win32SystemServices().windowsDirectory();
    ASSERT_TRUE(directory);
    EXPECT_EQ(*directory, WideText::toUtf8(std::wstring_view(wide, length)));
    EXPECT_NE(directory->back(), '\\');
    EXPECT_NE(Win32SystemServices().findFirst(*directory + "\\", SearchAttributes::WithFolders),
              "");
}

TEST(Win32SystemServices, FindsOnlyWhatTheAttributesAllow)
{
    WideTemporaryFolder folder;
    put(folder.file("春雨.ocx"), "x");
    put(folder.file("hidden.ocx"), "x");
    put(folder.file("system.ocx"), "x");
    ::SetFileAttributesW((folder.widePath() + L"\\hidden.ocx").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW((folder.widePath() + L"\\system.ocx").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ::CreateDirectoryW((folder.widePath() + L"\\only hidden").c_str(), nullptr);
    put(folder.file("only hidden\\h.ocx"), "x");
    ::SetFileAttributesW((folder.widePath() + L"\\only hidden\\h.ocx").c_str(),
                         FILE_ATTRIBUTE_HIDDEN);

    using Attributes = SearchAttributes;
    // path below the folder, attributes, the name found
    using Case = std::tuple<std::string, Attributes, std::string>;
    const Case cases[] = {
        {"\\春雨.ocx", Attributes::OrdinaryFiles, "春雨.ocx"},
        {"/春雨.OCX", Attributes::WithFolders, "春雨.ocx"},
        {"\\hidden.ocx", Attributes::OrdinaryFiles, ""},
        {"\\system.ocx", Attributes::WithFolders, ""},
        {"\\missing.ocx", Attributes::OrdinaryFiles, ""},
        {"\\missing\\x.ocx", Attributes::OrdinaryFiles, ""},
        // Folders: only with folders included; a trailing separator searches inside.
        {"\\only hidden", Attributes::OrdinaryFiles, ""},
        {"\\only hidden", Attributes::WithFolders, "only hidden"},
        {"\\only hidden\\", Attributes::WithFolders, "."},
        {"\\only hidden\\", Attributes::OrdinaryFiles, ""},
        {"\\", Attributes::OrdinaryFiles, "春雨.ocx"},
        {"\\missing\\", Attributes::WithFolders, ""},
    };
    for (const auto& [path, attributes, found] : cases)
        EXPECT_EQ(Win32SystemServices().findFirst(folder.path() + path, attributes), found)
            << path << " " << static_cast<int>(attributes);
}

TEST(Win32SystemServices, CopiesReplacingAndNamesTheFileThatFailed)
{
    WideTemporaryFolder folder;
    Win32SystemServices system;
    put(folder.file("new.ocx"), "new");
    put(folder.file("old.ocx"), "old");
    system.copyFile(folder.file("new.ocx"), folder.file("old.ocx"));
    EXPECT_EQ(contents(folder.file("old.ocx")), "new");

    // source, target, the file a failure names
    using Case = std::tuple<std::string, std::string, std::string>;
    const Case cases[] = {
        {"missing.ocx", "copy.ocx", "missing.ocx"},
        {"new.ocx", "missing\\copy.ocx", "missing\\copy.ocx"},
    };
    for (const auto& [source, target, named] : cases) {
        try {
            system.copyFile(folder.file(source), folder.file(target));
            ADD_FAILURE() << source << " was copied to " << target;
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), folder.file(named));
            EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
        }
    }
    EXPECT_FALSE(exists(folder.file("copy.ocx")));
}

TEST(Win32SystemServices, StartsACommandLineWithoutWaitingForIt)
{
    WideTemporaryFolder folder;
    Win32SystemServices system;
    const std::string mark = folder.file("started.txt");
    system.startWithoutWaiting("cmd /c echo started> \"" + mark + "\"");
    for (int poll = 0; poll < 200 && contents(mark).empty(); ++poll)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(contents(mark), "started\r\n");
    EXPECT_THROW(system.startWithoutWaiting("corvano-no-such-program x"), SystemError);
}

// The component check on the system itself: both components are missing from a fresh
// prefix's system folder.
TEST(ComponentCheckOnTheSystem, CopiesAndRegistersOnceThenFindsThemPresent)
{
    const std::string system = systemFolder();
    const Lines installed = {system + "COMDLG32.OCX", system + "MSINET.OCX"};
    for (const std::string& path : installed) {
        if (exists(path))
            GTEST_SKIP() << path << " is already in the system folder";
    }
    const SystemFolderFiles cleanup(windowsFolder());
    WideTemporaryFolder program;
    put(program.file("COMDLG32.OCX"), "dialog");
    put(program.file("MSINET.OCX"), "inet");
    RecordingServices services;

    EXPECT_FALSE(ComponentCheck(services, program.path()).run());
    EXPECT_EQ(contents(installed[0]) + " " + contents(installed[1]), "dialog inet");
    const Lines started = {"regsvr32 " + system + "comdlg32.ocx",
                           "regsvr32 " + system +
                               (system.ends_with("SysWOW64\\") ? "msinet.ocx " : "msinet.ocx")};
    EXPECT_EQ(services.started, started);

    // Present now: without the sources, nothing is copied or started.
    ::DeleteFileW((program.widePath() + L"\\COMDLG32.OCX").c_str());
    ::DeleteFileW((program.widePath() + L"\\MSINET.OCX").c_str());
    EXPECT_FALSE(ComponentCheck(services, program.path()).run());
    EXPECT_EQ(services.started, started);
}

TEST(ComponentCheckOnTheSystem, WithoutTheComponentsTheProgramStartsAndTheSystemIsUntouched)
{
    const std::string system = systemFolder();
    if (exists(system + "COMDLG32.OCX"))
        GTEST_SKIP() << "COMDLG32.OCX is already in the system folder";
    const SystemFolderFiles cleanup(windowsFolder());
    WideTemporaryFolder program;
    RecordingServices services;
    EXPECT_FALSE(ComponentCheck(services, program.path()).run());
    EXPECT_FALSE(exists(system + "COMDLG32.OCX"));
    EXPECT_EQ(services.started, Lines{});
}
