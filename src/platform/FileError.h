#pragma once

#include "SystemError.h"

namespace corvano {

// A file operation that failed; names the file and the system's reason.
class FileError : public SystemError
{
public:
    using SystemError::SystemError;

    const std::string& path() const { return subject(); }
};

} // namespace corvano
