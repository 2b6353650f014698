#include "OpenCommand.h"

#include "ExitCode.h"
#include "TemporaryFolder.h"
#include "platform/AnsiCodec.h"
#include "platform/LocalFileSystem.h"
#include "platform/SystemError.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace corvano;
using namespace corvano::test;

// Each shortcut's address reaches the opener, or the file is named with the reason
TEST(OpenCommandTest, OpensTheWebAddressOfEachShortcutAndRefusesTheRest)
{
    TemporaryFolder folder;
    LocalFileSystem files;
    std::vector<std::string> opened;
    std::ostringstream err;
    OpenCommand command(err, files, [&opened](const std::string& address) {
        if (address == "http://down.example/")
            throw SystemError("xdg-open", "no browser");
        opened.push_back(address);
    });
    // what the file is, its bytes, the address opened (empty: refused)
    for (const auto& [what, bytes, address] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             // As the program writes them, and as editors and other programs do.
             {"written", "[InternetShortcut]\r\nURL=http://a.example/1.html\r\n",
              "http://a.example/1.html"},
             {"LF, any case, blanks", "[internetSHORTCUT]\n url = HTTPS://a.example/ \n",
              "HTTPS://a.example/"},
             {"ANSI code page", AnsiCodec::encode("[InternetShortcut]\r\nURL=http://a/春雨.html"),
              "http://a/春雨.html"},
             // Nothing to open.
             {"outside the section", "URL=http://a.example/\r\n[Other]\r\nURL=http://b/", ""},
             // Schemes a web page must not make the desktop open.
             {"local file", "[InternetShortcut]\r\nURL=file:///etc/passwd", ""},
             {"program path", "[InternetShortcut]\r\nURL=/usr/bin/xterm", ""},
             {"desktop fails", "[InternetShortcut]\r\nURL=http://down.example/", ""},
         }) {
        SCOPED_TRACE(what);
        opened.clear();
        err.str("");
        folder.write("s.url", bytes);
        const auto code = static_cast<ExitCode>(command.execute({folder.file("s.url")}));
        EXPECT_EQ(code, address.empty() ? ExitCode::AddressError : ExitCode::Ok);
        EXPECT_EQ(opened,
                  address.empty() ? std::vector<std::string>{} : std::vector<std::string>{address});
        EXPECT_EQ(err.str().find(folder.file("s.url")) == 0, address.empty()) << err.str();
    }
}
