#include "platform/ProgramFolder.h"

#include "WideText.h"

#include <string>
#include <windows.h>

namespace corvano {

std::string ProgramFolder::path()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return ".";
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2); // cut short: read it again into a larger buffer
    }
    return WideText::toUtf8(name.substr(0, name.find_last_of(L"\\/")));
}

} // namespace corvano
