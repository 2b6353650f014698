#pragma once

// The picker's controls by number. 1 and 2 are left out: the keyboard handling of the window
// sends them for Enter and Esc.
namespace corvano::FolderPickerControls {

enum Id : int
{
    Label1 = 101,
    Drive1,
    Dir1,
    Command1,
    Command2,
};

} // namespace corvano::FolderPickerControls
