#pragma once

#include "engine/MainSurface.h"
#include "platform/FileError.h"

namespace corvano {

// How a file the writers could not write is told to the user: one box, naming the file and
// the system's reason.
class WriteFailure
{
public:
    static void report(MainSurface& surface, const FileError& error);
};

} // namespace corvano
