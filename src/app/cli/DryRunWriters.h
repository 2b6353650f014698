#pragma once

#include "engine/LinkListWriters.h"
#include "writers/HtmlListBuilder.h"

namespace corvano {

// Lists the links as the HTML list builder shows them and writes no file.
class DryRunWriters : public LinkListWriters
{
public:
    explicit DryRunWriters(MainSurface& surface) : m_html(surface) {}

    void setAddressBase(const std::string& base) override { m_html.setAddressBase(base); }
    void MakeHtmlList(const std::string& linkList) override { m_html.MakeHtmlList(linkList); }
    Result MakeUrlFiles(const std::string&, const std::string&) override { return Result::Skipped; }
    bool writesShortcuts() const override { return false; }

private:
    HtmlListBuilder m_html;
};

} // namespace corvano
