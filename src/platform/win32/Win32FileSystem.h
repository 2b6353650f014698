#pragma once

#include "platform/FileSystem.h"

namespace corvano {

// The real file system on Windows, through the wide-character API: every name Windows can
// hold is reachable whatever the ANSI code page. "\" separates folders; "/" is taken too.
class Win32FileSystem : public FileSystem
{
public:
    bool exists(const std::string& path) const override;
    std::uintmax_t fileLength(const std::string& path) const override;
    std::string readFile(const std::string& path) const override;
    void createIfMissing(const std::string& path) override;
    // Writes a temporary beside the target and puts it in the target's place in one step;
    // an existing target is replaced with ReplaceFileW, so it keeps its attributes.
    void replaceFile(const std::string& path, std::string_view bytes,
                     Durability durability) override;
    std::unique_ptr<Folder> openFolder(const std::string& path) override;
    // "\" and "/" both end a folder, as does the ":" of a drive ("C:name").
    std::size_t lastSeparator(std::string_view path) const override;

    // The path in the API's form: UTF-16, with "\" for every "/". A path too long for the
    // classic limit is made absolute and given the "\\?\" form, which has none.
    static std::wstring systemPath(const std::string& path);

protected:
    // The calls that put a written temporary in the target's place, and the wait before
    // trying again; a test stands in for them to play a file another program holds open.
    // Each returns false with the reason in GetLastError, as the API does.
    virtual bool replaceExisting(const std::wstring& target, const std::wstring& temporary);
    virtual bool moveInto(const std::wstring& temporary, const std::wstring& target);
    virtual void pause(unsigned milliseconds);

private:
    void putInPlace(const std::wstring& temporary, const std::wstring& target,
                    const std::string& path);
    // 0 when the temporary is in place, else the system's error.
    unsigned long tryPutInPlace(const std::wstring& temporary, const std::wstring& target);
};

} // namespace corvano
