#include "HtmlListBuilder.h"

#include "LinkListReader.h"
#include "engine/TextSearch.h"
#include "platform/AnsiCodec.h"

namespace corvano {

void HtmlListBuilder::MakeHtmlList(const std::string& linkList)
{
    m_htmlList.clear();
    std::string lines;
    for (const auto& record : LinkListReader::read(linkList)) {
        const std::string address = m_addresses.of(record);
        m_htmlList += entry(address, record.title);
        lines += displayLine(address, record.title);
    }
    if (!lines.empty())
        m_surface.appendToText9(lines);
}

std::string HtmlListBuilder::entry(const std::string& address, const std::string& title)
{
    // A quote would end the attribute and let page text add attributes of its own.
    return "<a href=\"" + TextSearch::replaceAll(address, "\"", "&quot;") + "\">" + title +
           "</a><br>";
}

std::string HtmlListBuilder::displayLine(const std::string& address, const std::string& title)
{
    return title + std::string(8, ' ') + address + "\r\n";
}

void HtmlListBuilder::save(FileSystem& files, const std::string& path) const
{
    // One file the user saves on purpose: worth making it last.
    files.replaceFile(
        path, AnsiCodec::encode(m_htmlList + "\r\n", AnsiCodec::Fallback::CharacterReference),
        FileSystem::Durability::Flushed);
}

} // namespace corvano
