#pragma once

#include <string>

namespace corvano {

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
};

} // namespace corvano
