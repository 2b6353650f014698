#pragma once

#include "FileError.h"

#include <string>
#include <system_error>

namespace corvano {

// Why a file operation failed, in the words of the program's windows: the common causes in
// Chinese, any other in the system's own text.
namespace FailureReason {

std::string of(const FileError& error);
// Empty for a cause without a Chinese wording.
std::string chinese(std::error_code code);

} // namespace FailureReason

} // namespace corvano
