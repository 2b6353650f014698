#pragma once

#include <windows.h>

// The message loop of the user-interface thread. Tab and the arrow keys move between the
// controls of the window that holds the focus, as in a dialog.
namespace corvano::EventLoop {

// Handles the messages waiting (their handlers run inside this call); when none is waiting,
// blocks until one arrives. A quit request is left in the queue for run() to see.
void processEvents();
// Runs until the program is asked to quit; returns the exit code it was given.
int run();

} // namespace corvano::EventLoop
