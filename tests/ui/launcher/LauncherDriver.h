#pragma once

#include "FakeWindows.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvano::test {

inline const std::string kNoPage = "http://127.0.0.1:9/url.asp"; // nothing listens there

// Drives one toolkit's launcher with the mouse. The program folder holds img/ with the
// pictures; the system is a Windows whose components are in place.
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
    enum class Mouse
    {
        Press,
        Move,
        Release
    };
    // On a control ("" for the window's surface), at a point of its client area.
    virtual void mouse(const std::string& control, Mouse event, Button button,
                       std::pair<int, int> at) = 0;
    void click(const std::string& control, Button button = Button::Left)
    {
        mouse(control, Mouse::Press, button, {5, 5});
        mouse(control, Mouse::Release, button, {5, 5});
    }
    void drag(const std::string& control, Button button,
              const std::vector<std::pair<int, int>>& points)
    {
        mouse(control, Mouse::Press, button, points.front());
        for (std::size_t i = 1; i < points.size(); ++i)
            mouse(control, Mouse::Move, button, points[i]);
        mouse(control, Mouse::Release, button, points.back());
    }
    virtual std::pair<int, int> corner() const = 0; // the window's top left
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
