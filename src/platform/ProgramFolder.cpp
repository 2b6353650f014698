#include "ProgramFolder.h"

#include <filesystem>

namespace corvano {

std::string ProgramFolder::path()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path().string();
    return executable.parent_path().string();
}

} // namespace corvano
