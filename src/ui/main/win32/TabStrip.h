#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace corvano {

// The window's tab strip (TabStrip1), a common-controls tab control: its tabs by caption and
// position (counted from 1). The window handles its selection notice; selecting a tab from
// here sends none, as the designed tab strip raises Click only for the user.
class TabStrip
{
public:
    explicit TabStrip(HWND control) : m_control(control) {}

    HWND handle() const { return m_control; }
    void addTab(std::string_view caption);
    std::string selectedCaption() const;
    int selectedPosition() const;
    void select(int position);

private:
    HWND m_control;
};

} // namespace corvano
