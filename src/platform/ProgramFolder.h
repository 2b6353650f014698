#pragma once

#include <string>

namespace corvano {

// The folder that holds the running executable, without a trailing separator.
class ProgramFolder
{
public:
    static std::string path();
#ifdef _WIN32
    static char separator() { return '\\'; }
#else
    static char separator() { return '/'; }
#endif
};

} // namespace corvano
