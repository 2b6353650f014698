#pragma once

#include <windows.h>

// The message loop of the user-interface thread. Tab and the arrow keys move between the
// controls of the window that holds the focus, as in a dialog.
namespace corvano::EventLoop {

// Handles the messages waiting (their handlers run inside this call); when none is waiting,
// blocks until one arrives. A quit request from outside is left in the queue for runUntil.
void processEvents();
// Handles messages until one of their handlers sets the flag (the program's last window has
// closed) or the system asks the program to quit. A flag rather than a quit message: a window
// that closes inside a nested wait (a run waiting for its page) must not make that wait spin.
void runUntil(const bool& finished);

} // namespace corvano::EventLoop
