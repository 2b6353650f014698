#pragma once

#include "engine/MainSurface.h"
#include "platform/EventQueue.h"

#include <array>
#include <functional>
#include <ostream>

namespace corvano {

// The main window's surface on a terminal: message boxes become lines, the status labels a
// progress line (only when stderr is a terminal), and the timers tick on an EventQueue.
class CliSurface : public MainSurface
{
public:
    CliSurface(std::ostream& out, std::ostream& err, bool showProgress);

    EventQueue& events() { return m_events; }
    void setCompletesAddresses(bool on) { m_completeAddresses = on; }
    void setTimerHandler(RunTimer timer, std::function<void()> handler);
    const std::string& text9() const { return m_text9; }
    // Ends the progress line, if one was drawn.
    void finishProgress();

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    // The caret has no place on a terminal; the command names the field in its message.
    void focusText(Field) override {}
    bool completesAddresses() const override { return m_completeAddresses; }
    void appendToText9(std::string_view lines) override;
    std::string caption(StatusLabel label) const override;
    void setCaption(StatusLabel label, std::string_view caption) override;
    void setTimerEnabled(RunTimer timer, bool enabled) override;
    void showMessage(std::string_view text, std::string_view title, MessageStyle style) override;
    // A terminal run never changes the user's texts on its own: every question is answered No.
    bool askYesNo(std::string_view, std::string_view) override { return false; }
    void processEvents() override;
    // A terminal has no pages to switch; the message line already names the missing string.
    void showStringSettings(Field) override {}

private:
    void drawProgress();

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showProgress;
    bool m_progressDrawn = false;
    EventQueue m_events;
    std::array<EventQueue::TimerId, 2> m_timers{};
    std::array<std::function<void()>, 2> m_timerHandlers;
    FieldTexts m_texts;
    bool m_completeAddresses = false;
    std::array<std::string, 3> m_captions;
    std::string m_text9;
};

} // namespace corvano
