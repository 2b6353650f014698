#include "DesktopOpener.h"

#include "SystemError.h"

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace corvano {

void DesktopOpener::open(const std::string& address)
{
    // The address is one argument of its own: no shell ever reads it.
    std::string program = "xdg-open";
    std::string argument = address;
    char* arguments[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int result = ::posix_spawnp(&child, "xdg-open", nullptr, nullptr, arguments, environ);
    if (result != 0)
        throw SystemError("xdg-open", std::strerror(result));
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            throw SystemError("xdg-open", std::strerror(errno));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw SystemError("xdg-open " + address, "no program opened the address");
}

} // namespace corvano
