#pragma once

#include "platform/CurlTransfer.h"
#include "ui/common/qt/QtEventPoster.h"

#include <QLabel>
#include <string>

namespace corvano {

// A small strip that shows a remote page. The page is fetched in the background and shown
// when it arrives; a page that cannot be fetched leaves the strip empty, unreported. A fetch
// still running when the strip goes is cancelled at once.
class PageStrip : public QLabel
{
    Q_OBJECT

public:
    static constexpr std::chrono::seconds kIdleLimit{30};

    explicit PageStrip(QWidget* parent);

    void load(const std::string& address);

protected:
    // Presses on the page are its own; they never drag the window beneath.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPage();

    QtEventPoster m_poster{*this};
    CurlTransfer m_transfer{m_poster, kIdleLimit};
};

} // namespace corvano
