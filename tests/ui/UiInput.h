#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace corvano::test {

// Types text into a widget as an input method commits it, one character at a time; unlike
// QTest::keyClicks this carries any Chinese text.
void typeText(QWidget& widget, const QString& text);
// Types a path into an open file dialog's name field and accepts it, as a user would.
void chooseFile(QDialog& fileDialog, const QString& path);
// Clicks the tab at a position counted from 1 on the main window's tab strip.
void clickTab(QWidget& window, int position);

// A control of a window by its control name; throws when there is none.
template <typename Widget> Widget& control(const QWidget& window, const char* name)
{
    auto* found = window.findChild<Widget*>(name);
    if (!found)
        throw std::logic_error(std::string("no control ") + name);
    return *found;
}

} // namespace corvano::test
