#pragma once

#include "ui/common/TwipsRect.h"

// The launcher ("Form1") as designed, for every window toolkit.
namespace corvano::LauncherLayout {

inline constexpr const char* kTitle = "Corvano";
inline constexpr int kClientWidth = 7260;
inline constexpr int kClientHeight = 5040;

inline constexpr const char* kCredit = "程序设计：Corvano 开发组";
// The caption of Label3; a click opens it as a web address.
inline constexpr const char* kWebAddress = "www.example.com";
inline constexpr const char* kPageAddress = "http://www.example.com/url.asp";

// The product name: "微软雅黑" 18 points, regular.
inline constexpr const char* kNameFontFace = "微软雅黑";
inline constexpr int kNameFontPoints = 18;

inline constexpr ControlLayout Label1{"Label1", "Corvano", {2400, 2040, 3255, 615}};
inline constexpr ControlLayout Label2{"Label2", kCredit, {240, 4560, 3255, 255}};
inline constexpr ControlLayout Label3{"Label3", kWebAddress, {4920, 4560, 2055, 255}};
inline constexpr ControlLayout Picture1{"Picture1", "", {2760, 3000, 2103, 751}};
inline constexpr ControlLayout Scriptlet1{"Scriptlet1", "", {720, 3960, 5775, 375}};
// The load handler sets the page strip to this size, in twips as the window's unit is.
inline constexpr int kScriptletWidth = 380;
inline constexpr int kScriptletHeight = 22;

// While the left button is held, the pointer sits this far right of and below the window's
// top-left corner.
inline constexpr int kDragOffsetX = 220;
inline constexpr int kDragOffsetY = 50;

} // namespace corvano::LauncherLayout
