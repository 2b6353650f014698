#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>

namespace corvano {

// The names a folder holds, as far as this program knows: listed once, when first asked, and
// added to as files get their names. Only a hint, safe to ask from two threads: a name taken
// by someone else later shows only when a file is named, and a name freed later is looked up
// in vain.
class TakenNames
{
public:
    // folderFd must stay open while this is used.
    explicit TakenNames(int folderFd) : m_folderFd(folderFd) {}

    // True for a name the folder held when listed or got since, and for every name where the
    // folder cannot be read.
    bool mayBeTaken(const std::string& name);
    void add(const std::string& name);

private:
    std::optional<std::unordered_set<std::string>> list() const;

    int m_folderFd;
    std::mutex m_mutex;
    bool m_listed = false;
    std::optional<std::unordered_set<std::string>> m_names; // nothing: cannot be read
};

} // namespace corvano
