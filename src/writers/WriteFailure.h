#pragma once

#include "engine/MainSurface.h"
#include "platform/FileError.h"

namespace corvano {

// How a file the writers could not write is told to the user: one box, naming the file and
// its reason, in Chinese where it is a common one.
namespace WriteFailure {

void report(MainSurface& surface, const FileError& error);

} // namespace WriteFailure

} // namespace corvano
