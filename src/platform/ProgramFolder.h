#pragma once

#include <string>

namespace corvano {

// The folder that holds the running executable, without a trailing separator.
class ProgramFolder
{
public:
    static std::string path();
    static char separator() { return '/'; }
};

} // namespace corvano
