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
// http, https, ftp, ws, wss and file: the schemes in which browsers read "\" as "/".
bool isSpecialScheme(std::string_view scheme);
// The reference as browsers send it, so that every system writes the same bytes: in a
// special scheme "\" before the query and fragment is "/", and each byte beyond ASCII is
// percent-encoded with upper-case digits (the text is UTF-8).
std::string browserForm(std::string_view reference, bool specialScheme);

} // namespace UrlReference

} // namespace corvano
