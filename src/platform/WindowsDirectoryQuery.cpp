#include "WindowsDirectoryQuery.h"

#include "SystemError.h"

#include <vector>

namespace corvano {

std::string WindowsDirectoryQuery::read(const Call& call)
{
    unsigned size = kFirstBufferSize;
    // Two rounds: the directory could change between them, but not twice in a row.
    for (int round = 0; round < 2; ++round) {
        std::vector<char> buffer(size, '\0');
        const unsigned result = call(buffer.data(), size);
        if (result == 0)
            break;
        if (result < size)
            return std::string(buffer.data(), result);
        size = result;
    }
    throw SystemError("the Windows directory", "the system did not report it");
}

} // namespace corvano
