#pragma once

#include "PictureFile.h"
#include "ui/launcher/LauncherLayout.h"

#include <QPixmap>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

namespace corvano {

class ClickLabel;
class PageStrip;

// The launcher (the designer's form "Form1", its object name): a borderless picture window with the
// product name, the credit line, the web address and a small remote page. Its picture button closes
// it and asks for the main window. The window deletes itself when it closes.
class LauncherWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* kBackground = ":/launcher/background.gif";

    struct Options
    {
        // Holds the component files; empty: the folder of the executable.
        std::string programFolder;
        std::string pageAddress = LauncherLayout::kPageAddress;
        // Opens the web address; empty: in the user's browser.
        std::function<void(const QUrl&)> openAddress;
        // Shows the main window; called after the launcher has closed.
        std::function<void()> showMainWindow;
        // Holds B1.jpg and B2.jpg; empty: img in programFolder.
        std::string pictureFolder;
    };

    explicit LauncherWindow(Options options);

    // Form_Load: centres the window, shrinks the page strip and shows the button picture.
    // Returns the picture file that is missing or broken; the window must then not be shown.
    [[nodiscard]] std::optional<QString> Form_Load();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Form_MouseMove: drags the window while the left button is held.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createLabels();
    void connectHandlers();
    QString picturePath(const char* name) const;
    void showPicture(PictureFile& picture);
    void Label3_Click();
    void Picture1_MouseDown();
    void Picture1_MouseUp();
    void Picture1_Click();

    Options m_options;
    QPixmap m_background;
    PictureFile m_b1;
    PictureFile m_b2;
    ClickLabel* m_label1;
    ClickLabel* m_label2;
    ClickLabel* m_label3;
    ClickLabel* m_picture1;
    PageStrip* m_scriptlet1;
    bool m_painted = false;
};

} // namespace corvano
