// corvano-cli on Windows: the arguments arrive as UTF-16, so a Chinese folder or start string
// survives whatever the console's code page, and are handed on as UTF-8 like on Linux.
#include "CliOptions.h"
#include "ConsoleStreamBuffer.h"
#include "GenerateCommand.h"
#include "OpenCommand.h"
#include "SuggestCommand.h"
#include "platform/DesktopOpener.h"
#include "platform/ProgramLocations.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"

#include <ostream>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(corvano::WideText::toUtf8(argv[i]));
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    corvano::ConsoleStreamBuffer outBuffer(STD_OUTPUT_HANDLE);
    corvano::ConsoleStreamBuffer errBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    err.setf(std::ios::unitbuf);

    auto parsed = corvano::CliOptions::parse(argc, pointers.data(), out, err);
    if (const int* exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const auto& options = std::get<corvano::CliOptions>(parsed);
    corvano::Win32FileSystem files;
    int exitCode = 0;
    if (!options.openFiles.empty())
        exitCode = corvano::OpenCommand(err, files, corvano::DesktopOpener::open)
                       .execute(options.openFiles);
    else if (options.suggest)
        exitCode = corvano::SuggestCommand(out, err, errBuffer.isConsole(), files,
                                           corvano::ProgramLocations::detect())
                       .execute(options);
    else
        exitCode = corvano::GenerateCommand(out, err, errBuffer.isConsole(), files,
                                            corvano::ProgramLocations::detect())
                       .execute(options);
    out.flush();
    return exitCode;
}
