#pragma once

#include "ClickLabel.h"
#include "PageStrip.h"
#include "PictureFile.h"
#include "ui/common/win32/ControlSet.h"
#include "ui/common/win32/Window.h"
#include "ui/launcher/LauncherLayout.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvano {

// The launcher (the designer's form "Form1", its window class): a borderless picture window
// with the product name, the credit line, the web address and a small remote page. Its picture
// button closes it and asks for the main window.
class LauncherWindow : public Window
{
public:
    static constexpr const wchar_t* kClassName = L"Form1";

    // The controls' numbers, in tab order.
    enum Control
    {
        Label1 = 1,
        Label2,
        Label3,
        Picture1,
        Scriptlet1,
    };

    struct Options
    {
        // Holds the component files; empty: the folder of the executable.
        std::string programFolder;
        std::string pageAddress = LauncherLayout::kPageAddress;
        // Opens the web address; empty: the shell opens it in the user's browser.
        std::function<void(const std::string&)> openAddress;
        // Shows the main window; called after the launcher has closed.
        std::function<void()> showMainWindow;
        // Holds B1.jpg and B2.jpg; empty: img in programFolder.
        std::string pictureFolder;
        // Called when the user closes the launcher without its button, so that no window is
        // left and the program ends.
        std::function<void()> dismissed;
    };

    explicit LauncherWindow(Options options);
    ~LauncherWindow() override;

    // Form_Load: centres the window, shrinks the page strip and shows the button picture.
    // Returns the picture that is missing or broken; the window must then not be shown.
    [[nodiscard]] std::optional<std::string> Form_Load();
    void show();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void createControls();
    void connectHandlers();
    std::string picturePath(const char* name) const;
    void paintBackground(HDC dc);
    void moveToDpi(int dotsPerInch, const RECT& suggested);
    void showPicture(PictureFile& picture);
    void Form_MouseMove(WPARAM buttons, LPARAM position);
    void Label3_Click();
    void Picture1_MouseDown();
    void Picture1_MouseUp();
    void Picture1_Click();

    Options m_options;
    std::optional<Picture> m_background;
    PictureFile m_b1;
    PictureFile m_b2;
    ControlSet m_controls{Dpi::system()};
    std::unique_ptr<ClickLabel> m_label1;
    std::unique_ptr<ClickLabel> m_label2;
    std::unique_ptr<ClickLabel> m_label3;
    std::unique_ptr<ClickLabel> m_picture1;
    std::unique_ptr<PageStrip> m_scriptlet1;
};

} // namespace corvano
