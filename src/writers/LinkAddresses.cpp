#include "LinkAddresses.h"

#include "AddressRewrite.h"

namespace corvano {

std::string LinkAddresses::of(const LinkRecord& record) const
{
    const std::string rewritten =
        AddressRewrite::apply(record.address, m_surface.text(7), m_surface.text(8));
    return m_surface.completesAddresses() ? m_completion.complete(rewritten) : rewritten;
}

} // namespace corvano
