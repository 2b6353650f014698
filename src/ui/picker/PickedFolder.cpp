#include "PickedFolder.h"

namespace corvano::PickedFolder {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string& storage()
{
    static std::string folder;
    return folder;
}

bool endsWithSeparator(const std::string& path)
{
    // Windows takes "/" as well, so a root typed that way is not given a second separator.
    return !path.empty() && (path.back() == kSeparator || path.back() == '/');
}

} // namespace

const std::string& value()
{
    return storage();
}

void confirm(const std::string& openFolder)
{
    storage() = endsWithSeparator(openFolder) ? openFolder : openFolder + kSeparator;
}

} // namespace corvano::PickedFolder
