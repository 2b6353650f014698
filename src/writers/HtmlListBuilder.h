#pragma once

#include "engine/MainSurface.h"
#include "platform/FileSystem.h"
#include "writers/LinkAddresses.h"

#include <string>

namespace corvano {

// Builds the HTML fragment of the links (HtmlList) and lists them as plain lines in Text9.
class HtmlListBuilder
{
public:
    explicit HtmlListBuilder(MainSurface& surface) : m_surface(surface), m_addresses(surface) {}

    void MakeHtmlList(const std::string& linkList);
    // The base relative addresses complete against, kept for later builds of the same list.
    void setAddressBase(std::string_view base) { m_addresses.setBase(base); }
    const std::string& HtmlList() const { return m_htmlList; }
    // Writes the fragment and CR LF in the ANSI code page, replacing an existing file.
    // Throws FileError.
    void save(FileSystem& files, const std::string& path) const;

    static std::string entry(const std::string& address, const std::string& title);
    static std::string displayLine(const std::string& address, const std::string& title);

private:
    MainSurface& m_surface;
    LinkAddresses m_addresses;
    std::string m_htmlList;
};

} // namespace corvano
