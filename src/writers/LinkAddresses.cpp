#include "LinkAddresses.h"

#include "AddressRewrite.h"

namespace corvano {

std::string LinkAddresses::of(const LinkRecord& record) const
{
    // The rewrite texts are read anew for every record.
    const std::string rewritten = AddressRewrite::apply(
        record.address, m_surface.text(Field::OldText), m_surface.text(Field::NewText));
    return m_surface.completesAddresses() ? m_completion.complete(rewritten) : rewritten;
}

} // namespace corvano
