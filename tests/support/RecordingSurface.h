#pragma once

#include "engine/MainSurface.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvano::test {

// A main window that records what the run does to it. processEvents() calls
// onProcessEvents, so a test decides what happens while a run waits.
class RecordingSurface : public MainSurface
{
public:
    FieldTexts texts;
    bool completeAddresses = false;
    std::string text9;
    std::array<std::string, 3> captions; // Label3, Label4, Label5
    std::array<bool, 2> timers{};        // Timer2, Timer3
    std::vector<std::string> messages;   // "title: text (style)"
    std::optional<Field> stringSettingsFocus;
    std::function<void()> onProcessEvents = [] {};

    void setText(Field field, std::string value) { texts[field] = std::move(value); }
    bool timerOn(RunTimer timer) const { return timers[at(timer)]; }

    std::string text(Field field) const override { return texts[field]; }
    bool completesAddresses() const override { return completeAddresses; }
    void appendToText9(std::string_view lines) override { text9.append(lines); }
    std::string caption(StatusLabel label) const override { return captions[at(label)]; }
    void setCaption(StatusLabel label, std::string_view text) override
    {
        captions[at(label)] = text;
    }
    void setTimerEnabled(RunTimer timer, bool on) override { timers[at(timer)] = on; }
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override
    {
        messages.push_back(std::string(title) + ": " + std::string(text) + " (" +
                           std::to_string(static_cast<int>(style)) + ")");
    }
    void processEvents() override { onProcessEvents(); }
    void showStringSettings(Field focus) override { stringSettingsFocus = focus; }

private:
    static std::size_t at(StatusLabel label)
    {
        return label == StatusLabel::Label3 ? 0 : label == StatusLabel::Label4 ? 1 : 2;
    }
    static std::size_t at(RunTimer timer) { return timer == RunTimer::Timer2 ? 0 : 1; }
};

} // namespace corvano::test
