#pragma once

#include "ui/common/TwipsRect.h"

#include <array>

// The main window ("curl") as designed: every control's caption and place in its container, for
// every window toolkit.
namespace corvano::MainWindowLayout {

inline constexpr const char* kTitle = "Corvano v1.0";
inline constexpr int kClientWidth = 6945;
inline constexpr int kClientHeight = 5865;

// The font of Label3, Label4 and Label5; the other controls use the system's.
inline constexpr const char* kStatusFontFace = "宋体";
inline constexpr double kStatusFontPoints = 10.5;

// The one file type the save dialog of the HTML list (CommonDialog1) offers.
inline constexpr const char* kSaveFilterName = "静态网页(*.HTML)";
inline constexpr const char* kSaveFilterPattern = "*.html";

// On the window.
inline constexpr ControlLayout TabStrip1{"TabStrip1", "", {0, 0, 6975, 5895}};
inline constexpr ControlLayout Frame3{"Frame3", "", {120, 480, 6735, 5295}};
inline constexpr ControlLayout Frame7{"Frame7", "", {120, 480, 6735, 5295}};
inline constexpr ControlLayout Frame5{"Frame5", "", {120, 480, 6735, 5295}};

struct Tab
{
    const char* caption;
    const char* key;
};
// In the order of the strip; the page each one shows is chosen by its caption.
inline constexpr std::array<Tab, 3> kTabs{
    {{"生成URL", "curl"}, {"生成HTML", "Chtml"}, {"字符串设置", "str"}}};

// On Frame3, the page "生成URL".
inline constexpr ControlLayout Label1{"Label1", "列表网址：", {240, 360, 975, 255}};
inline constexpr ControlLayout Text1{"Text1", "", {1560, 240, 5055, 375}};
inline constexpr ControlLayout Label2{"Label2", "目标文件夹：", {240, 840, 1215, 375}};
inline constexpr ControlLayout Text2{"Text2", "", {1560, 720, 3975, 375}};
inline constexpr ControlLayout Command2{"Command2", "浏 览...", {5640, 720, 975, 375}};
inline constexpr ControlLayout Frame1{"Frame1", "URL文件内容", {120, 1200, 6495, 2535}};
inline constexpr ControlLayout Frame2{"Frame2", "处理状态", {120, 3840, 4695, 1335}};
inline constexpr ControlLayout Command3{"Command3", "生成文件", {5160, 4200, 1335, 495}};
// On Frame1.
inline constexpr ControlLayout Text3{"Text3", "", {120, 240, 6255, 2055}};
// On Frame2.
inline constexpr ControlLayout Label5{"Label5", "", {240, 360, 4335, 375}};
inline constexpr ControlLayout Label3{"Label3", "", {1440, 840, 1095, 255}};
inline constexpr ControlLayout Label4{"Label4", "", {2400, 840, 975, 255}};

// On Frame7, the page "生成HTML".
inline constexpr ControlLayout Text9{"Text9", "", {120, 240, 6495, 3975}};
inline constexpr ControlLayout Command1{"Command1", "保 存", {3000, 4440, 1215, 375}};

// On Frame5, the page "字符串设置".
inline constexpr ControlLayout Frame4{"Frame4", "字符串设置", {120, 240, 6495, 1815}};
inline constexpr ControlLayout Frame6{"Frame6", "字符串替换", {120, 2160, 6495, 2175}};
// On Frame4.
inline constexpr ControlLayout Label6{"Label6", "起始字符串：", {120, 360, 1095, 255}};
inline constexpr ControlLayout Text4{"Text4", "", {1440, 240, 4935, 375}};
inline constexpr ControlLayout Label7{"Label7", "结束字符串：", {120, 840, 1095, 255}};
inline constexpr ControlLayout Text5{"Text5", "", {1440, 720, 4935, 375}};
inline constexpr ControlLayout Label8{"Label8", "URL包含字符串：", {120, 1320, 1455, 375}};
inline constexpr ControlLayout Text6{"Text6", "", {1440, 1200, 4935, 375}};
// On Frame6.
inline constexpr ControlLayout Label9{"Label9", "被替换字符串：", {120, 360, 1335, 375}};
inline constexpr ControlLayout Text7{"Text7", "", {1320, 240, 4935, 375}};
inline constexpr ControlLayout Label10{"Label10", "替换字符串：", {120, 720, 1215, 375}};
inline constexpr ControlLayout Text8{"Text8", "", {1320, 720, 4935, 375}};
// In the room between the pair and the note: it completes what the pair cannot.
inline constexpr ControlLayout Check1{"Check1", "补全相对网址", {1320, 1110, 4935, 330}};
inline constexpr ControlLayout Label11{
    "Label11",
    "说明：字符串替换适用于网址引用网页相对路径的情况，您可以将路径替换成网址和绝对绝径。",
    {360, 1440, 6015, 615}};
// On Frame5, in the free room below Frame6 and level with Command3's column: finds the page's
// list and fills Text4 to Text6.
inline constexpr ControlLayout Command4{"Command4", "自动识别", {5160, 4560, 1335, 495}};

} // namespace corvano::MainWindowLayout
