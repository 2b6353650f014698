#pragma once

#include "engine/MainSurface.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace corvano::test {

// A main window that records what the run does to it. processEvents() runs the next
// scripted event (or the default one), so a test decides what happens while a run waits.
class RecordingSurface : public MainSurface
{
public:
    struct Message
    {
        std::string text;
        std::string title;
        MessageStyle style;
    };

    std::array<std::string, 8> texts;
    std::string text9;
    std::array<std::string, 3> captions;
    std::array<bool, 2> timers{};
    std::vector<Message> messages;
    std::vector<std::string> log; // every call, in order, for tests of sequence
    int stringSettingsFocus = 0;
    int processEventsCalls = 0;
    std::function<void()> onProcessEvents;

    void setText(int number, std::string value) { texts.at(number - 1) = std::move(value); }
    bool timerOn(RunTimer timer) const { return timers[timer == RunTimer::Timer2 ? 0 : 1]; }
    std::string captionOf(StatusLabel label) const
    {
        return captions[static_cast<std::size_t>(label)];
    }

    std::string text(int number) const override { return texts.at(number - 1); }
    void appendToText9(std::string_view lines) override { text9.append(lines); }
    std::string caption(StatusLabel label) const override { return captionOf(label); }
    void setCaption(StatusLabel label, std::string_view caption) override
    {
        captions[static_cast<std::size_t>(label)] = caption;
        log.push_back("caption " + std::to_string(static_cast<int>(label) + 3) + " " +
                      std::string(caption));
    }
    void setTimerEnabled(RunTimer timer, bool enabled) override
    {
        timers[timer == RunTimer::Timer2 ? 0 : 1] = enabled;
        log.push_back(std::string(timer == RunTimer::Timer2 ? "Timer2 " : "Timer3 ") +
                      (enabled ? "on" : "off"));
    }
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override
    {
        messages.push_back({std::string(text), std::string(title), style});
        log.push_back("message " + std::string(title));
    }
    void processEvents() override
    {
        ++processEventsCalls;
        if (onProcessEvents)
            onProcessEvents();
    }
    void showStringSettings(int focusText) override
    {
        stringSettingsFocus = focusText;
        log.push_back("string settings " + std::to_string(focusText));
    }
};

} // namespace corvano::test
