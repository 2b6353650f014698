#pragma once

// The HTTP transfer of the system the program is built for.
#ifdef _WIN32
#include "platform/win32/WinHttpTransfer.h"
namespace corvano {
using PlatformTransfer = WinHttpTransfer;
}
#else
#include "platform/CurlTransfer.h"
namespace corvano {
using PlatformTransfer = CurlTransfer;
}
#endif
