#pragma once

#include "platform/FileError.h"
#include "platform/LocalFileSystem.h"

namespace corvano::test {

// The real file system, except that a chosen write fails the way a full disk makes it fail:
// the failing call throws and, like the real primitive, leaves the old file as it was.
class FailingFileSystem : public LocalFileSystem
{
public:
    // The n-th replaceFile call from now (1 = the next one) fails; 0 = none fails.
    void failReplaceNumber(int n) { m_failAt = n; }

    void replaceFile(const std::string& path, std::string_view bytes) override
    {
        if (m_failAt > 0 && --m_failAt == 0)
            throw FileError(path, "No space left on device");
        LocalFileSystem::replaceFile(path, bytes);
    }

private:
    int m_failAt = 0;
};

} // namespace corvano::test
