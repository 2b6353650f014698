#pragma once

#include "engine/AddressCompletion.h"
#include "engine/MainSurface.h"
#include "writers/LinkListReader.h"

#include <string>
#include <string_view>

namespace corvano {

// The address a link is written with: the replace pair's rewrite (Text7, Text8), then, when
// the window asks for it, completion against the base of the page the list came from. Both
// settings are read anew for every link.
class LinkAddresses
{
public:
    explicit LinkAddresses(const MainSurface& surface) : m_surface(surface) {}

    void setBase(std::string_view base) { m_completion = AddressCompletion(base); }
    std::string of(const LinkRecord& record) const;

private:
    const MainSurface& m_surface;
    AddressCompletion m_completion;
};

} // namespace corvano
