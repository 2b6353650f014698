#pragma once

#include <string>
#include <string_view>

namespace corvano {

// The text of a link reference, read the way a browser reads it from an attribute.
namespace UrlReference {

// scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), then ":".
bool hasScheme(std::string_view address);
// Spaces and controls at its ends dropped, tabs and line breaks inside removed, and a space
// inside written as %20 (a parser could write "+" in the query, which servers may read
// differently).
std::string cleaned(std::string_view address);

} // namespace UrlReference

} // namespace corvano
