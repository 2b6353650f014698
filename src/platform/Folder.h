#pragma once

#include "FileSystem.h"

#include <memory>

namespace corvano {

// A folder opened once, in which files are made by name: the folder is looked up and asked
// for its limits once, not once per file. Failures throw FileError naming the file's path.
class Folder
{
public:
    // A file whose bytes are down but which has no name in the folder yet. Dropped without
    // place(), it leaves nothing behind.
    class PreparedFile
    {
    public:
        virtual ~PreparedFile() = default;
        // Gives the file its name, replacing what is there as replaceFile does.
        virtual void place() = 0;
    };

    virtual ~Folder() = default;

    // As FileSystem::replaceFile, for the file with this name (without "/") in the folder.
    virtual void replaceFile(const std::string& name, std::string_view bytes,
                             FileSystem::Durability durability) = 0;
    // replaceFile in two steps, so that the next file's bytes can go down while this one is
    // named. One other thread may prepare while the folder's owner places and replaces. By
    // default the bytes are only kept and place() does all the work.
    virtual std::unique_ptr<PreparedFile>
    prepareFile(const std::string& name, std::string_view bytes, FileSystem::Durability durability);
    // The longest file name (in bytes) that the folder accepts.
    virtual std::size_t maxNameLength() const = 0;
};

} // namespace corvano
