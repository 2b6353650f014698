#include "AddressRewrite.h"

#include "engine/TextSearch.h"

namespace corvano {

std::string AddressRewrite::apply(std::string_view address, std::string_view oldText,
                                  std::string_view newText)
{
    if (oldText.empty() || newText.empty() || !TextSearch::containsIgnoringCase(address, oldText))
        return std::string(address);
    return TextSearch::replaceAll(address, oldText, newText);
}

} // namespace corvano
