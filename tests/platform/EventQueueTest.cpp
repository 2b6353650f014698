#include "platform/EventQueue.h"

#include <gtest/gtest.h>

using namespace corvano;
using namespace std::chrono_literals;

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
