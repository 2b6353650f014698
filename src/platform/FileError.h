#pragma once

#include "SystemError.h"

#include <system_error>

namespace corvano {

// A file operation that failed; names the file and the system's reason.
class FileError : public SystemError
{
public:
    FileError(std::string path, std::string reason)
        : SystemError(std::move(path), std::move(reason))
    {}
    FileError(std::string path, std::error_code code)
        : SystemError(std::move(path), code.message()), m_code(code)
    {}
    // For an errno value, taken as the call's argument before anything can change it.
    [[noreturn]] static void throwFor(const std::string& path, int error)
    {
        throw FileError(path, std::error_code(error, std::generic_category()));
    }

    const std::string& path() const { return subject(); }
    // Empty when the failure came with the system's text only.
    std::error_code code() const { return m_code; }

private:
    std::error_code m_code;
};

} // namespace corvano
