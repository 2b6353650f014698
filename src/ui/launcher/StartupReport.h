#pragma once

namespace corvano {

// Start-up figures for measuring the program: when the environment variable
// CORVANO_STARTUP_REPORT is set, the first paint of the launcher prints the time since the
// process started and the peak memory so far to the standard error. Otherwise it does nothing.
class StartupReport
{
public:
    static void firstPaint();
};

} // namespace corvano
