#pragma once

#include "FileSystem.h"

namespace corvano {

// The real file system, through POSIX calls.
class LocalFileSystem : public FileSystem
{
public:
    bool exists(const std::string& path) const override;
    std::uintmax_t fileLength(const std::string& path) const override;
    std::string readFile(const std::string& path) const override;
    void createIfMissing(const std::string& path) override;
    void replaceFile(const std::string& path, std::string_view bytes) override;
    std::size_t maxNameLength(const std::string& folder) const override;
};

} // namespace corvano
