#include "platform/FileBatchWriter.h"

#include "FailingFileSystem.h"
#include "TemporaryFolder.h"
#include "platform/FileError.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <mutex>

using namespace corvano;
using Durability = FileSystem::Durability;
using Files = std::vector<FileBatchWriter::File>;
using Steps = std::vector<std::string>;

namespace {

// A folder that only records what happens to its files, and fails one step on demand.
class RecordingFolder : public Folder
{
public:
    std::string failPrepareOf;
    std::string failPlaceOf;

    void replaceFile(const std::string& name, std::string_view, Durability) override
    {
        record("replace " + name);
    }
    std::unique_ptr<PreparedFile> prepareFile(const std::string& name, std::string_view bytes,
                                              Durability) override
    {
        record("prepare " + name);
        if (name == failPrepareOf)
            throw FileError(name, std::make_error_code(std::errc::no_space_on_device));
        return std::make_unique<File>(*this, name, std::string(bytes));
    }
    std::size_t maxNameLength() const override { return 255; }

    // What happened of one kind ("prepare", "place", "drop"), in order.
    Steps steps(const std::string& kind)
    {
        std::lock_guard lock(m_mutex);
        Steps found;
        for (const auto& step : m_steps) {
            if (step.starts_with(kind + " "))
                found.push_back(step.substr(kind.size() + 1));
        }
        return found;
    }

private:
    class File : public PreparedFile
    {
    public:
        File(RecordingFolder& folder, std::string name, std::string bytes)
            : m_folder(folder), m_name(std::move(name)), m_bytes(std::move(bytes))
        {}
        ~File() override
        {
            if (!m_placed)
                m_folder.record("drop " + m_name);
        }
        void place() override
        {
            m_folder.record("place " + m_name + "=" + m_bytes);
            if (m_name == m_folder.failPlaceOf)
                throw FileError(m_name, std::make_error_code(std::errc::io_error));
            m_placed = true;
        }

    private:
        RecordingFolder& m_folder;
        std::string m_name;
        std::string m_bytes;
        bool m_placed = false;
    };

    void record(std::string step)
    {
        std::lock_guard lock(m_mutex);
        m_steps.push_back(std::move(step));
    }

    std::mutex m_mutex;
    Steps m_steps;
};

Files numbered(int count)
{
    Files files;
    for (int i = 0; i < count; ++i)
        files.push_back({"f" + std::to_string(i), std::to_string(i)});
    return files;
}

Steps placesOf(const Files& files)
{
    Steps places;
    for (const auto& file : files)
        places.push_back(file.name + "=" + file.bytes);
    return places;
}

std::string failedPath(RecordingFolder& folder, const Files& files)
{
    try {
        FileBatchWriter(folder, Durability::Cached).write(files);
    } catch (const FileError& error) {
        return error.path();
    }
    return "";
}

} // namespace

// More files than are prepared ahead, each placed once, in list order
TEST(FileBatchWriter, PlacesEveryFileInListOrder)
{
    RecordingFolder folder;
    const Files files = numbered(100);
    FileBatchWriter(folder, Durability::Cached).write(files);
    EXPECT_EQ(folder.steps("place"), placesOf(files));
    EXPECT_EQ(folder.steps("prepare").size(), files.size());
    EXPECT_TRUE(folder.steps("drop").empty());
    FileBatchWriter(folder, Durability::Cached).write({});
    EXPECT_EQ(folder.steps("place").size(), files.size());
}

// Failures
TEST(FileBatchWriter, FailedPreparationStopsAfterTheFilesBeforeIt)
{
    RecordingFolder folder;
    folder.failPrepareOf = "f40";
    const Files files = numbered(100);
    EXPECT_EQ(failedPath(folder, files), "f40");
    EXPECT_EQ(folder.steps("place"), placesOf(Files(files.begin(), files.begin() + 40)));
    EXPECT_EQ(folder.steps("prepare").back(), "f40"); // nothing prepared after it
    EXPECT_TRUE(folder.steps("drop").empty());
}

TEST(FileBatchWriter, FailedPlacementDropsEveryFilePreparedAfterIt)
{
    RecordingFolder folder;
    folder.failPlaceOf = "f3";
    const Files files = numbered(100);
    EXPECT_EQ(failedPath(folder, files), "f3");
    EXPECT_EQ(folder.steps("place"), placesOf(Files(files.begin(), files.begin() + 4)));
    // The failed file and all prepared after it are dropped, none placed.
    const Steps prepared = folder.steps("prepare");
    Steps dropped = folder.steps("drop");
    std::sort(dropped.begin(), dropped.end());
    Steps expected(prepared.begin() + 3, prepared.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dropped, expected);
}

// On the disk: a later file of the same name wins, files that hold their bytes stay as they
// are, and a failure leaves no temporary
TEST(FileBatchWriter, SameNameLaterWinsOnTheDiskAndAFailureLeavesNoTemporary)
{
    test::TemporaryFolder target;
    test::FailingFileSystem files;
    const auto folder = files.openFolder(target.prefix());
    Files batch = numbered(50);
    batch[30] = {"f3", "new 3"};
    FileBatchWriter(*folder, Durability::Cached).write(batch);
    EXPECT_EQ(target.read("f3"), "new 3");
    EXPECT_EQ(target.read("f49"), "49");
    EXPECT_EQ(files.count(test::FailingFileSystem::Call::Write), 50);

    // f3, f30 (taken over by f3 before) and f50 to f56 are written; the write of f57 fails.
    files.failCall(test::FailingFileSystem::Call::Write, 10);
    EXPECT_THROW(FileBatchWriter(*folder, Durability::Cached).write(numbered(60)), FileError);
    EXPECT_EQ(files.count(test::FailingFileSystem::Call::Write), 60);
    EXPECT_EQ(target.read("f3"), "3");
    EXPECT_EQ(target.read("f56"), "56");
    EXPECT_FALSE(std::filesystem::exists(target.path() / "f57"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path()), {}), 57);
}
