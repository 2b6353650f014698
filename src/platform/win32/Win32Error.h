#pragma once

#include "platform/FileError.h"

#include <string>

namespace corvano {

// A Windows error as the program's file errors carry it: the common causes as the portable
// error codes the messages are worded from, any other with the system's text in UTF-8.
namespace Win32Error {

FileError fileError(const std::string& path, unsigned long error);
// The system's text for an error of the system or of the given module (nullptr: the system).
std::string text(unsigned long error, void* module = nullptr);

} // namespace Win32Error

} // namespace corvano
