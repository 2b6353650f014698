#pragma once

#include <QIcon>

namespace corvano {

// The 32 x 32 picture that the main window and the folder picker show as their icon: a
// folder with a link chain, drawn here so the program needs no image files.
class WindowIcon
{
public:
    static QIcon icon();
};

} // namespace corvano
