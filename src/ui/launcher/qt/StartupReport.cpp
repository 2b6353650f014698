#include "StartupReport.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace corvano::StartupReport {

namespace {

// Milliseconds since the process started, to the kernel's clock tick (usually 10 ms).
long millisecondsSinceStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // The fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int index = 3; index < 22 && fields >> field; ++index) {
    }
    unsigned long long startTicks = 0;
    fields >> startTicks;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double since = static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 -
                         static_cast<double>(startTicks) / ticksPerSecond;
    return static_cast<long>(since * 1000.0);
}

std::string statusLine(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key + ":"))
            return line.substr(key.size() + 1);
    }
    return " unknown";
}

} // namespace

void firstPaint()
{
    if (!std::getenv("CORVANO_STARTUP_REPORT"))
        return;
    std::fprintf(stderr,
                 "corvano: launcher first paint %ld ms after process start, peak memory%s\n",
                 millisecondsSinceStart(), statusLine("VmHWM").c_str());
}

} // namespace corvano::StartupReport
