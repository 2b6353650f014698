#pragma once

#include "engine/MainSurface.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvano::test {

// A main window recording what a run does; onProcessEvents is what happens while it waits.
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
    std::optional<Field> focus;                              // where focusText put the caret
    std::vector<std::string> questions;                      // "title: text"
    std::vector<bool> answers;                               // askYesNo's answers, in turn; then No
    std::vector<std::array<std::string, 3>> captionsAtBoxes; // the status when each box showed
    std::function<void()> onProcessEvents = [] {};

    bool timerOn(RunTimer timer) const { return timers[at(timer)]; }

    std::string text(Field field) const override { return texts[field]; }
    void setText(Field field, std::string_view value) override { texts[field] = value; }
    void focusText(Field field) override { focus = field; }
    bool completesAddresses() const override { return completeAddresses; }
    void appendToText9(std::string_view lines) override { text9.append(lines); }
    std::string caption(StatusLabel label) const override { return captions[at(label)]; }
    void setCaption(StatusLabel label, std::string_view to) override { captions[at(label)] = to; }
    void setTimerEnabled(RunTimer timer, bool on) override { timers[at(timer)] = on; }
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override
    {
        messages.push_back(std::string(title) + ": " + std::string(text) + " (" +
                           std::to_string(static_cast<int>(style)) + ")");
        captionsAtBoxes.push_back(captions);
    }
    bool askYesNo(std::string_view text, std::string_view title) override
    {
        questions.push_back(std::string(title) + ": " + std::string(text));
        const std::size_t turn = questions.size() - 1;
        return turn < answers.size() && answers[turn];
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
