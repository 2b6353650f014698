#include "CliOptions.h"
#include "GenerateCommand.h"
#include "OpenCommand.h"
#include "SuggestCommand.h"
#include "platform/DesktopOpener.h"
#include "platform/LocalFileSystem.h"
#include "platform/ProgramLocations.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    auto parsed = corvano::CliOptions::parse(argc, argv, std::cout, std::cerr);
    if (const int* exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const auto& options = std::get<corvano::CliOptions>(parsed);
    corvano::LocalFileSystem files;
    if (!options.openFiles.empty())
        return corvano::OpenCommand(std::cerr, files, corvano::DesktopOpener::open)
            .execute(options.openFiles);
    const bool progress = ::isatty(STDERR_FILENO) == 1;
    if (options.suggest)
        return corvano::SuggestCommand(std::cout, std::cerr, progress, files,
                                       corvano::ProgramLocations::detect())
            .execute(options);
    return corvano::GenerateCommand(std::cout, std::cerr, progress, files,
                                    corvano::ProgramLocations::detect())
        .execute(options);
}
