#pragma once

#include "Folder.h"

#include <stop_token>
#include <string>
#include <vector>

namespace corvano {

// Writes many files into one folder on two threads: while one file is given its name, the
// next ones' bytes already go down. The names still appear one at a time in list order, so a
// later file of the same name replaces an earlier one, and a failure stops the batch with
// every file before it in place and none after it.
class FileBatchWriter
{
public:
    struct File
    {
        std::string name;
        std::string bytes;
    };

    FileBatchWriter(Folder& folder, FileSystem::Durability durability)
        : m_folder(folder), m_durability(durability)
    {}

    // Throws the first failure (FileError), once the files before it have their names.
    void write(const std::vector<File>& files);

private:
    class Handoff;

    void prepareAll(const std::vector<File>& files, Handoff& handoff, std::stop_token stop);

    Folder& m_folder;
    FileSystem::Durability m_durability;
};

} // namespace corvano
