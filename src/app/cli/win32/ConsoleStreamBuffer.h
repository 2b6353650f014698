#pragma once

#include <streambuf>
#include <string>
#include <windows.h>

namespace corvano {

// The program's UTF-8 output on a standard handle. A console gets it as UTF-16 through
// WriteConsoleW, so Chinese shows right whatever the console's code page; a file or a pipe
// gets the UTF-8 bytes unchanged, as on Linux.
class ConsoleStreamBuffer : public std::streambuf
{
public:
    explicit ConsoleStreamBuffer(DWORD standardHandle);
    ~ConsoleStreamBuffer() override;
    ConsoleStreamBuffer(const ConsoleStreamBuffer&) = delete;
    ConsoleStreamBuffer& operator=(const ConsoleStreamBuffer&) = delete;

    bool isConsole() const { return m_console; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    bool flush();

    HANDLE m_handle;
    bool m_console;
    // Output not yet written; for a console, a character cut in two waits for its rest.
    std::string m_pending;
};

} // namespace corvano
