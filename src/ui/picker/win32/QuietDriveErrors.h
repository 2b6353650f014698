#pragma once

#include <windows.h>

namespace corvano {

// While it lives, a drive without a medium fails the call that touches it instead of asking
// the user to insert a disc: the picker ignores such drives without a message.
class QuietDriveErrors
{
public:
    QuietDriveErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_previous); }
    ~QuietDriveErrors() { ::SetThreadErrorMode(m_previous, nullptr); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD m_previous = 0;
};

} // namespace corvano
