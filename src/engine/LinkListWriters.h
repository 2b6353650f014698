#pragma once

#include <string>
#include <string_view>

namespace corvano {

// What a shortcut template marks for the link's address: each one receives it.
inline constexpr std::string_view kUrlField = "URL=";
// The content a shortcut needs to open its address; line breaks as Text3 keeps them.
inline constexpr std::string_view kStandardTemplate = "[InternetShortcut]\r\nURL=";

// The steps of a run that turn a non-empty link list into output.
class LinkListWriters
{
public:
    virtual ~LinkListWriters() = default;

    enum class Result
    {
        Written,
        Failed,  // not all files were written; the user has been told why
        Skipped, // nothing was meant to be written (a dry run)
    };

    // The address the relative link addresses of the next lists resolve against.
    virtual void setAddressBase(const std::string& base) = 0;
    virtual void MakeHtmlList(const std::string& linkList) = 0;
    virtual Result MakeUrlFiles(const std::string& pageHtml, const std::string& linkList) = 0;
    // False when MakeUrlFiles writes nothing, so the template does not matter.
    virtual bool writesShortcuts() const { return true; }
};

} // namespace corvano
