#pragma once

#include "FakeWindows.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvano::test {

// Drives one toolkit's launcher with the mouse, so that one set of scenarios holds both
// toolkits' launchers to the same behaviour. The program folder holds img/ with the pictures;
// the system is a Windows whose components are in place.
class LauncherDriver
{
public:
    enum class Button
    {
        Left,
        Right,
        Middle
    };

    virtual ~LauncherDriver() = default;

    // Starts as the program does, on this system; the texts of the boxes shown.
    virtual std::vector<std::string> start(SystemServices& system) = 0;
    virtual bool isShown() const = 0;
    // Presses on the picture button and releases off it; clicks a control.
    virtual void pressPicture(Button button) = 0;
    virtual void releaseOffPicture(Button button) = 0;
    virtual void click(const std::string& control, Button button = Button::Left) = 0;
    // Presses the button on a control ("" for the window's surface) at the first point, moves
    // through the others and releases at the last; where the window's top left corner is.
    virtual void drag(const std::string& control, Button button,
                      const std::vector<std::pair<int, int>>& points) = 0;
    virtual std::pair<int, int> corner() const = 0;
    // Whether the picture button shows the picture of this file.
    virtual bool pictureShows(const std::string& file) const = 0;
    // The addresses opened and "main" for the main window, in order.
    virtual std::vector<std::string> asked() const = 0;

    // Puts the pictures in img/ and both components in the system, so that a start passes.
    void prepare()
    {
        std::filesystem::copy(CORVANO_PICTURES_DIR, img());
        system.addFile("C:\\WINDOWS\\system32\\comdlg32.ocx", "dialog");
        system.addFile("C:\\WINDOWS\\system32\\MSINET.OCX", "inet");
    }
    std::string program() const { return m_program.path().string(); }
    std::string img(const std::string& name = "") const
    {
        return (m_program.path() / "img" / name).string();
    }
    FakeWindows system;

protected:
    TemporaryFolder m_program;
};

std::unique_ptr<LauncherDriver> makeLauncherDriver();

} // namespace corvano::test
