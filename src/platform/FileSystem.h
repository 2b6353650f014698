#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace corvano {

class Folder;

// The file-system primitives the program uses. Paths are UTF-8 text as the user typed them.
// Failures throw FileError.
class FileSystem
{
public:
    // How far a replacement has gone when it returns.
    enum class Durability
    {
        // Handed to the system: a failed write or close is reported, but a power cut soon
        // after may still lose the new bytes. For files the user can simply make again.
        Cached,
        // On the disk, file and folder entry both: after a power cut the path holds either
        // the old file or the new one.
        Flushed
    };

    // Separates the folders and the file name in a path.
    static constexpr char kSeparator = '/';

    virtual ~FileSystem() = default;

    // Where the folder part of path ends: the index of its last separator, or npos when the
    // path is a name alone. Systems that take more than one separator override it.
    virtual std::size_t lastSeparator(std::string_view path) const
    {
        return path.rfind(kSeparator);
    }

    // A directory lookup of the path that counts folders as well as files.
    virtual bool exists(const std::string& path) const = 0;
    virtual std::uintmax_t fileLength(const std::string& path) const = 0;
    virtual std::string readFile(const std::string& path) const = 0;
    virtual void createIfMissing(const std::string& path) = 0;
    // Creates or replaces the file with exactly these bytes, as one step: if it fails, the
    // old file (or none) is left as it was, never a shortened one. A symbolic link stays and
    // the file it points to is replaced; the new file keeps the old one's permissions.
    virtual void replaceFile(const std::string& path, std::string_view bytes,
                             Durability durability) = 0;
    // Opens the folder at path ("" is the working folder) for making many files in it by name.
    virtual std::unique_ptr<Folder> openFolder(const std::string& path) = 0;
};

} // namespace corvano
