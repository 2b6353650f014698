#include "platform/DesktopOpener.h"

#include "WideText.h"
#include "platform/SystemError.h"

#include <windows.h>
// After windows.h, whose definitions it needs.
#include <shellapi.h>

namespace corvano {

void DesktopOpener::open(const std::string& address)
{
    const auto instance = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        nullptr, L"open", WideText::fromUtf8(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Values above 32 mean success; the others are the shell's error numbers.
    if (instance <= 32)
        throw SystemError(address,
                          "the shell could not open it (error " + std::to_string(instance) + ")");
}

} // namespace corvano
