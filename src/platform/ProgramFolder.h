#pragma once

#include <string>

namespace corvano {

// The folder that holds the running executable, without a trailing separator.
namespace ProgramFolder {

std::string path();

} // namespace ProgramFolder

} // namespace corvano
