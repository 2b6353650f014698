#pragma once

#include <stdexcept>
#include <string>

namespace corvano {

// A system service that failed; names what it was asked for and the system's reason.
class SystemError : public std::runtime_error
{
public:
    SystemError(std::string subject, std::string reason)
        : std::runtime_error(subject + ": " + reason), m_subject(std::move(subject)),
          m_reason(std::move(reason))
    {}

    const std::string& subject() const { return m_subject; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_subject;
    std::string m_reason;
};

} // namespace corvano
