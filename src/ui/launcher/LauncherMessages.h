#pragma once

#include "ComponentCheck.h"

#include <string>

// What the user is told when the program cannot start, whatever the window toolkit. UTF-8.
namespace corvano::LauncherMessages {

// The title of the start's message boxes.
inline constexpr const char* kTitle = "Corvano";

std::string failureText(const ComponentFailure& failure);
// path: the picture file that is missing or is not a picture.
std::string pictureFailureText(const std::string& path);

} // namespace corvano::LauncherMessages
