#pragma once

#include "FileSystem.h"

namespace corvano {

// A folder opened once, in which files are made by name: the folder is looked up and asked
// for its limits once, not once per file. Failures throw FileError naming the file's path.
class Folder
{
public:
    virtual ~Folder() = default;

    // As FileSystem::replaceFile, for the file with this name (without "/") in the folder.
    virtual void replaceFile(const std::string& name, std::string_view bytes,
                             FileSystem::Durability durability) = 0;
    // As replaceFile without flushing, unless the file with this name already holds exactly
    // these bytes (through any links): then it is left as it is, date and all. True when the
    // bytes were written.
    virtual bool updateFile(const std::string& name, std::string_view bytes) = 0;
    // The longest file name (in bytes) that the folder accepts.
    virtual std::size_t maxNameLength() const = 0;
};

} // namespace corvano
