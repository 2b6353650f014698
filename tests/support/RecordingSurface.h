#pragma once

#include "engine/MainSurface.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace corvano::test {

// A main window that records what the run does to it. processEvents() calls
// onProcessEvents, so a test decides what happens while a run waits.
class RecordingSurface : public MainSurface
{
public:
    std::array<std::string, 8> texts;
    bool completeAddresses = false;
    std::string text9;
    std::array<std::string, 3> captions; // Label3, Label4, Label5
    std::array<bool, 2> timers{};        // Timer2, Timer3
    std::vector<std::string> messages;   // "title: text (style)"
    int stringSettingsFocus = 0;
    std::function<void()> onProcessEvents = [] {};

    void setText(int number, std::string value) { texts.at(number - 1) = std::move(value); }
    bool timerOn(RunTimer timer) const { return timers[static_cast<std::size_t>(timer)]; }

    std::string text(int number) const override { return texts.at(number - 1); }
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
    void showStringSettings(int focusText) override { stringSettingsFocus = focusText; }

private:
    static std::size_t at(auto value) { return static_cast<std::size_t>(value); }
};

} // namespace corvano::test
