#include "DriveEntry.h"

namespace corvano::DriveEntry {

namespace {

wchar_t lowerLetter(wchar_t letter)
{
    return letter >= L'A' && letter <= L'Z' ? static_cast<wchar_t>(letter - L'A' + L'a') : letter;
}

} // namespace

std::wstring text(std::wstring_view root, std::wstring_view label)
{
    std::wstring entry(root.substr(0, 2));
    if (!entry.empty())
        entry[0] = lowerLetter(entry[0]);
    if (!label.empty())
        entry.append(L" [").append(label).append(L"]");
    return entry;
}

std::wstring rootOf(std::wstring_view entry)
{
    return std::wstring(entry.size() > 2 ? entry.substr(0, 2) : entry) + L'\\';
}

} // namespace corvano::DriveEntry
