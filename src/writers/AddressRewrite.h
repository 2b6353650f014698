#pragma once

#include <string>
#include <string_view>

namespace corvano {

// The user's old/new pair that rewrites each link address (Text7, Text8).
namespace AddressRewrite {

// Rewrites only when both texts are set and the address holds the old text in any
// letter case; the replacement itself matches case exactly, so an address that holds
// the old text only in another case stays as it is.
std::string apply(std::string_view address, std::string_view oldText, std::string_view newText);

} // namespace AddressRewrite

} // namespace corvano
