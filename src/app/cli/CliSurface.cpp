#include "CliSurface.h"

namespace corvano {

namespace {

std::size_t indexOf(RunTimer timer)
{
    switch (timer) {
    case RunTimer::Timer2:
        return 0;
    case RunTimer::Timer3:
        return 1;
    }
    return 0;
}

std::size_t indexOf(StatusLabel label)
{
    switch (label) {
    case StatusLabel::Label3:
        return 0;
    case StatusLabel::Label4:
        return 1;
    case StatusLabel::Label5:
        return 2;
    }
    return 0;
}

} // namespace

CliSurface::CliSurface(std::ostream& out, std::ostream& err, bool showProgress)
    : m_out(out), m_err(err), m_showProgress(showProgress)
{
    for (std::size_t i = 0; i < m_timers.size(); ++i) {
        m_timers[i] = m_events.addTimer(kTimerInterval, [this, i] {
            if (m_timerHandlers[i])
                m_timerHandlers[i]();
        });
    }
}

void CliSurface::setText(Field field, std::string_view text)
{
    m_texts[field] = text;
}

void CliSurface::setTimerHandler(RunTimer timer, std::function<void()> handler)
{
    m_timerHandlers[indexOf(timer)] = std::move(handler);
}

std::string CliSurface::text(Field field) const
{
    return m_texts[field];
}

void CliSurface::appendToText9(std::string_view lines)
{
    m_text9.append(lines);
}

std::string CliSurface::caption(StatusLabel label) const
{
    return m_captions[indexOf(label)];
}

void CliSurface::setCaption(StatusLabel label, std::string_view caption)
{
    m_captions[indexOf(label)] = caption;
    if (label == StatusLabel::Label5 && caption.empty())
        return; // a run clearing the earlier result; there is none on a terminal
    if (label == StatusLabel::Label5) {
        // The result line, without the leading spaces that indent it in the window.
        finishProgress();
        const auto start = caption.find_first_not_of(' ');
        m_out << (start == std::string_view::npos ? "" : caption.substr(start)) << '\n'
              << std::flush;
        return;
    }
    drawProgress();
}

void CliSurface::setTimerEnabled(RunTimer timer, bool enabled)
{
    m_events.setTimerEnabled(m_timers[indexOf(timer)], enabled);
}

void CliSurface::showMessage(std::string_view text, std::string_view title, MessageStyle style)
{
    finishProgress();
    std::ostream& stream = style == MessageStyle::Information ? m_out : m_err;
    stream << title << ": " << text << '\n' << std::flush;
}

void CliSurface::processEvents()
{
    m_events.processEvents();
}

void CliSurface::drawProgress()
{
    if (!m_showProgress)
        return;
    m_err << "\r\033[K" << caption(StatusLabel::Label3) << ' ' << caption(StatusLabel::Label4)
          << std::flush;
    m_progressDrawn = true;
}

void CliSurface::finishProgress()
{
    if (m_progressDrawn)
        m_err << '\n' << std::flush;
    m_progressDrawn = false;
}

} // namespace corvano
