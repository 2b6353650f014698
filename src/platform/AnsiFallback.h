#pragma once

#include "AnsiCodec.h"

#include <string>
#include <string_view>

namespace corvano {

// What a character the code page lacks becomes, the same on every system: sequence is its
// UTF-8 (or one ill-formed byte).
void appendAnsiFallback(std::string& out, std::string_view sequence, AnsiCodec::Fallback fallback);

} // namespace corvano
