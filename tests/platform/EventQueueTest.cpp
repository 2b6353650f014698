#include "platform/EventQueue.h"

#include <gtest/gtest.h>
#include <thread>

using namespace corvano;
using namespace std::chrono_literals;

TEST(EventQueue, RunsEventsInPostOrderAndBlocksUntilAnotherThreadPosts)
{
    EventQueue queue;
    std::string order;
    queue.post([&] { order += 'a'; });
    queue.post([&] { order += 'b'; });
    EXPECT_TRUE(queue.processPendingEvents());
    EXPECT_FALSE(queue.processPendingEvents());
    std::jthread poster([&] {
        std::this_thread::sleep_for(50ms);
        queue.post([&] { order += 'c'; });
    });
    queue.processEvents();
    EXPECT_EQ(order, "abc");
}

TEST(EventQueue, EnabledTimerTicksAndADisabledOneDoesNot)
{
    EventQueue queue;
    std::string ticks;
    queue.setTimerEnabled(queue.addTimer(10ms, [&] { ticks += 'x'; }), true);
    queue.addTimer(10ms, [&] { ticks += 'y'; });
    for (int i = 0; i < 3; ++i)
        queue.processEvents();
    EXPECT_EQ(ticks, "xxx");
}
