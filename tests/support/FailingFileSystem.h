#pragma once

#include "platform/FileError.h"
#include "platform/LocalFileSystem.h"

#include <string>

namespace corvano::test {

// The real file system, except that chosen writes fail the way a full disk makes them fail:
// the failing call throws and, like the real primitive, leaves the old file as it was.
class FailingFileSystem : public LocalFileSystem
{
public:
    // The n-th replaceFile call from now (1 = the next one) fails; 0 = none fails.
    void failReplaceNumber(int n) { m_failAt = n; }
    void failReadsOf(std::string path) { m_unreadable = std::move(path); }
    int replaceCalls() const { return m_replaceCalls; }

    std::string readFile(const std::string& path) const override
    {
        if (!m_unreadable.empty() && path == m_unreadable)
            throw FileError(path, "Input/output error");
        return LocalFileSystem::readFile(path);
    }

    void replaceFile(const std::string& path, std::string_view bytes) override
    {
        ++m_replaceCalls;
        if (m_failAt > 0 && --m_failAt == 0)
            throw FileError(path, "No space left on device");
        LocalFileSystem::replaceFile(path, bytes);
    }

private:
    int m_failAt = 0;
    int m_replaceCalls = 0;
    std::string m_unreadable;
};

} // namespace corvano::test
