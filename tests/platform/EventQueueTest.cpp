#include "platform/EventQueue.h"

#include <gtest/gtest.h>
#include <thread>

using namespace corvano;
using namespace std::chrono_literals;

TEST(EventQueue, WaitBlocksUntilAnotherThreadPosts)
{
    EventQueue queue;
    bool ran = false;
    std::jthread poster([&] {
        std::this_thread::sleep_for(50ms);
        queue.post([&] { ran = true; });
    });
    queue.processEvents();
    EXPECT_TRUE(ran);
}

TEST(EventQueue, EnabledTimerTicksAndADisabledOneDoesNot)
{
    EventQueue queue;
    int ticks = 0;
    int silent = 0;
    const auto timer = queue.addTimer(10ms, [&] { ++ticks; });
    queue.addTimer(10ms, [&] { ++silent; });
    queue.setTimerEnabled(timer, true);
    for (int i = 0; i < 3; ++i)
        queue.processEvents();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(silent, 0);
}

TEST(EventQueue, EventsRunInPostOrder)
{
    EventQueue queue;
    std::string order;
    queue.post([&] { order += 'a'; });
    queue.post([&] { order += 'b'; });
    EXPECT_TRUE(queue.processPendingEvents());
    EXPECT_EQ(order, "ab");
    EXPECT_FALSE(queue.processPendingEvents());
}
