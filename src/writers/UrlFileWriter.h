#pragma once

#include "engine/MainSurface.h"
#include "engine/RegularExpression.h"
#include "platform/FileError.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"
#include "writers/LinkAddresses.h"
#include "writers/LinkListReader.h"

#include <string>

namespace corvano {

// Writes one Internet-shortcut file per link: the user's template with the address after
// every "URL=", named after the link's title, in the target folder (Text2).
class UrlFileWriter
{
public:
    UrlFileWriter(MainSurface& surface, FileSystem& files, std::string fallbackFolder)
        : m_surface(surface), m_files(files), m_fallbackFolder(std::move(fallbackFolder)),
          m_addresses(surface)
    {}

    // False when a file could not be written; the user has been shown which and why, and
    // the files before it stay.
    bool MakeUrlFiles(const std::string& pageHtml, const std::string& linkList);
    // The base relative addresses complete against.
    void setAddressBase(std::string_view base) { m_addresses.setBase(base); }

    // The title as a file name: forbidden and control characters become "-", and a name
    // too long for the folder is shortened at a character boundary to leave room for ".url",
    // and a device name before the first dot gets "-" after it (see DeviceName).
    static std::string
    fileNameOf(const std::string& title, std::size_t maxNameLength,
               const RegularExpression& forbidden = RegularExpression(kFileNamePattern));
    static std::string contentOf(const std::string& contentTemplate, const std::string& address);
    // The result line of Label5 for this many records.
    static std::string countCaption(std::size_t count);
    // Tab, CR and LF would let page text add lines of its own to the shortcut.
    static std::string cleanAddress(const std::string& address);

private:
    // Where a run's files go: the folder, opened once, and the text before each title.
    struct Target
    {
        std::unique_ptr<Folder> folder;
        std::string namePrefix;
        std::size_t nameRoom = 0; // bytes left for the name after namePrefix
    };

    Target openTarget() const;
    void writeFile(const Target& target, const LinkRecord& record) const;
    void finish(std::size_t count);
    void reportFailure(const FileError& error);

    MainSurface& m_surface;
    FileSystem& m_files;
    std::string m_fallbackFolder; // takes the files when the target folder does not exist
    LinkAddresses m_addresses;
    // Compiled once, not once for each of the run's titles.
    const RegularExpression m_forbidden{kFileNamePattern};
};

} // namespace corvano
