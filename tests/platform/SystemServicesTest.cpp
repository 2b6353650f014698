#include "TemporaryFolder.h"
#include "platform/LocalSystemServices.h"
#include "platform/SystemError.h"
#include "platform/WindowsDirectoryQuery.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvano;

TEST(SystemServices, ReadsALongWindowsDirectoryWholeAndStartsWithoutWaiting)
{
    for (std::size_t length : {79u, 80u, 200u}) {
        const std::string directory = "E:\\" + std::string(length - 3, 'w');
        int calls = 0;
        // Answers as the system call does: the size it needs when the buffer is too small.
        const auto system = [&](char* buffer, unsigned size) {
            ++calls;
            if (directory.size() >= size)
                return static_cast<unsigned>(directory.size() + 1);
            std::memcpy(buffer, directory.c_str(), directory.size() + 1);
            return static_cast<unsigned>(directory.size());
        };
        EXPECT_EQ(WindowsDirectoryQuery::read(system), directory);
        EXPECT_EQ(calls, length < 80 ? 1 : 2);
    }
    // Edge cases: a failing call, and one that keeps asking for more room.
    EXPECT_THROW(WindowsDirectoryQuery::read([](char*, unsigned) { return 0u; }), SystemError);
    EXPECT_THROW(WindowsDirectoryQuery::read([](char*, unsigned size) { return size + 1; }),
                 SystemError);
    test::TemporaryFolder folder;
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    LocalSystemServices().startWithoutWaiting("cp " + fifo + " /dev/null");
    // The program reads until this test writes: a start that waited for it would hang here.
    EXPECT_TRUE(std::ofstream(fifo) << "x");
    EXPECT_THROW(LocalSystemServices().startWithoutWaiting("corvano-no-such-program"), SystemError);
    EXPECT_THROW(LocalSystemServices().startWithoutWaiting("   "), SystemError);
}
