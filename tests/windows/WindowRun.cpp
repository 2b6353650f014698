// Drives the native main window through one whole run, as a user would: types the eight
// texts, ticks "补全相对网址" when asked, presses "生成文件", answers the boxes, saves the
// HTML list through the save dialog and closes the window. Prints what each box and the
// dialog showed; window_run_under_wine.py checks the files.
//
// Usage: main-window-run PROGRAM_FOLDER HTML_FILE COMPLETE(0|1) TEXT1 ... TEXT8
#include "WindowDriver.h"
#include "platform/win32/WideText.h"
#include "ui/main/win32/MainWindow.h"

#include <commctrl.h>
#include <cstdio>
#include <objbase.h>
#include <string>
#include <vector>

using namespace corvano;
using namespace corvano::test;

namespace {

void print(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 12) {
        std::fputs("usage: main-window-run PROGRAM_FOLDER HTML_FILE COMPLETE TEXT1 ... TEXT8\n",
                   stderr);
        return 2;
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(WideText::toUtf8(argv[i]));
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);

    MainWindow::Options options;
    options.locations = ProgramLocations::portable(arguments[1]);
    MainWindow window(options);
    window.show();
    const HWND handle = window.handle();
    for (int number = 1; number <= 8; ++number)
        typeInto(handle, MainControl::text(number),
                 arguments[3 + static_cast<std::size_t>(number)]);
    if (arguments[3] == "1")
        click(handle, MainControl::Check1);
    BoxAnswerer boxes; // also any box the save would show
    click(handle, MainControl::Command3);
    for (const ShownBox& box : boxes.boxes())
        print("box: " + box.title + ": " + box.text);
    const std::size_t runBoxes = boxes.boxes().size();
    {
        FileDialogAnswerer dialog(arguments[2]);
        click(handle, MainControl::Command1);
        std::string types;
        for (const std::string& type : dialog.types())
            types += "[" + type + "]";
        print("save dialog: " + types);
    }
    for (std::size_t i = runBoxes; i < boxes.boxes().size(); ++i)
        print("box: " + boxes.boxes()[i].title + ": " + boxes.boxes()[i].text);
    ::SendMessageW(handle, WM_CLOSE, 0, 0);
    print(::IsWindow(handle) ? "window: open" : "window: closed");
    return 0;
}
