#pragma once

#include "ui/common/TwipsRect.h"

// The folder picker ("dialog") as designed, for every window toolkit.
namespace corvano::FolderPickerLayout {

inline constexpr const char* kTitle = "选择文件夹";
inline constexpr int kClientWidth = 4680;
inline constexpr int kClientHeight = 4350;

inline constexpr ControlLayout Label1{"Label1", "驱动器：", {120, 120, 735, 375}};
inline constexpr ControlLayout Drive1{"Drive1", "", {960, 120, 3615, 300}};
inline constexpr ControlLayout Dir1{"Dir1", "", {120, 600, 4455, 2820}};
inline constexpr ControlLayout Command1{"Command1", "确定", {1080, 3600, 975, 495}};
inline constexpr ControlLayout Command2{"Command2", "取消", {2280, 3600, 975, 495}};

} // namespace corvano::FolderPickerLayout
