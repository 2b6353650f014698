#pragma once

// Start-up figures for measuring the program: when the environment variable
// CORVANO_STARTUP_REPORT is set, the first paint of the launcher prints the time since the
// process started and the peak memory so far to the standard error. Otherwise it does nothing.
namespace corvano::StartupReport {

void firstPaint();

} // namespace corvano::StartupReport
