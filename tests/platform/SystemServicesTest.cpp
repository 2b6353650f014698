#include "platform/LocalSystemServices.h"
#include "platform/SystemError.h"
#include "platform/WindowsDirectoryQuery.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>

using namespace corvano;

TEST(WindowsDirectoryQuery, ReadsADirectoryLongerThanTheBufferWhole)
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
}

TEST(LocalSystemServices, StartsWithoutWaitingAndReportsWhatCannotStart)
{
    const auto before = std::chrono::steady_clock::now();
    LocalSystemServices().startWithoutWaiting("sleep 1 ");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
    EXPECT_THROW(LocalSystemServices().startWithoutWaiting("corvano-no-such-program"), SystemError);
    EXPECT_THROW(LocalSystemServices().startWithoutWaiting("   "), SystemError);
}
