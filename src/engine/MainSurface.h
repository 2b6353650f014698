#pragma once

#include "Field.h"

#include <chrono>
#include <string>
#include <string_view>

namespace corvano {

enum class StatusLabel
{
    Label3,
    Label4,
    Label5
};
enum class RunTimer
{
    Timer2,
    Timer3
};
// How often both run timers tick.
inline constexpr std::chrono::milliseconds kTimerInterval{200};
enum class MessageStyle
{
    Critical = 16,
    Exclamation = 48,
    Information = 64
};
// The status a run leaves when it ends in a failure box.
inline constexpr std::string_view kFailedStatus = "生成失败";

// What a generation run needs of the main window. The Qt window, the command-line tool and
// the tests' recording fake each provide it. Texts are UTF-8.
class MainSurface
{
public:
    virtual ~MainSurface() = default;

    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, std::string_view text) = 0;
    // Puts the caret in the field's text box, on the page the run was started from.
    virtual void focusText(Field field) = 0;
    // The check box "补全相对网址": relative link addresses are completed into absolute ones.
    virtual bool completesAddresses() const = 0;
    virtual void appendToText9(std::string_view lines) = 0;
    virtual std::string caption(StatusLabel label) const = 0;
    virtual void setCaption(StatusLabel label, std::string_view caption) = 0;
    virtual void setTimerEnabled(RunTimer timer, bool enabled) = 0;
    // A modal box with an OK button only.
    virtual void showMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
    // A modal question with Yes and No buttons (style 36); true for Yes.
    virtual bool askYesNo(std::string_view text, std::string_view title) = 0;
    // Handles pending events; when none is pending, blocks until one arrives.
    virtual void processEvents() = 0;
    // Shows the "字符串设置" page and puts the focus on the field's text box.
    virtual void showStringSettings(Field focus) = 0;
};

} // namespace corvano
