#pragma once

#include <stdexcept>
#include <string>

namespace corvano {

// A file operation that failed; names the file and the system's reason.
class FileError : public std::runtime_error
{
public:
    FileError(std::string path, std::string reason)
        : std::runtime_error(path + ": " + reason), m_path(std::move(path)),
          m_reason(std::move(reason))
    {}

    const std::string& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

} // namespace corvano
