#pragma once

#include "engine/LinkListWriters.h"
#include "writers/HtmlListBuilder.h"
#include "writers/UrlFileWriter.h"

namespace corvano {

// The writers a generation run drives: the HTML list, then the shortcut files.
class OutputWriters : public LinkListWriters
{
public:
    OutputWriters(MainSurface& surface, FileSystem& files, std::string fallbackFolder)
        : m_html(surface), m_urlFiles(surface, files, std::move(fallbackFolder))
    {}

    void setAddressBase(const std::string& base) override
    {
        m_html.setAddressBase(base);
        m_urlFiles.setAddressBase(base);
    }
    void MakeHtmlList(const std::string& linkList) override { m_html.MakeHtmlList(linkList); }
    Result MakeUrlFiles(const std::string& pageHtml, const std::string& linkList) override
    {
        m_reachedUrlFiles = true;
        return m_urlFiles.MakeUrlFiles(pageHtml, linkList) ? Result::Written : Result::Failed;
    }

    HtmlListBuilder& html() { return m_html; }
    // Whether a run got as far as the shortcut files.
    bool reachedUrlFiles() const { return m_reachedUrlFiles; }

private:
    HtmlListBuilder m_html;
    UrlFileWriter m_urlFiles;
    bool m_reachedUrlFiles = false;
};

} // namespace corvano
