#pragma once

#include <QIcon>

// The 32 x 32 picture that the program's windows show as their icon: a folder with a link
// chain, drawn here so the program needs no image files.
namespace corvano::WindowIcon {

QIcon icon();

} // namespace corvano::WindowIcon
