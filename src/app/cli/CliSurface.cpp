#include "CliSurface.h"

#include <stdexcept>

namespace corvano {

namespace {

constexpr std::chrono::milliseconds kTimerInterval{200};

std::size_t indexOf(RunTimer timer)
{
    return timer == RunTimer::Timer2 ? 0 : 1;
}

std::size_t indexOf(StatusLabel label)
{
    return static_cast<std::size_t>(label);
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

void CliSurface::setText(int number, std::string text)
{
    m_texts.at(static_cast<std::size_t>(number - 1)) = std::move(text);
}

void CliSurface::setTimerHandler(RunTimer timer, std::function<void()> handler)
{
    m_timerHandlers[indexOf(timer)] = std::move(handler);
}

std::string CliSurface::text(int number) const
{
    if (number < 1 || number > 8)
        throw std::out_of_range("the run reads Text1 to Text8 only");
    return m_texts[static_cast<std::size_t>(number - 1)];
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
    m_err << "\r\033[K" << m_captions[0] << ' ' << m_captions[1] << std::flush;
    m_progressDrawn = true;
}

void CliSurface::finishProgress()
{
    if (m_progressDrawn)
        m_err << '\n' << std::flush;
    m_progressDrawn = false;
}

} // namespace corvano
