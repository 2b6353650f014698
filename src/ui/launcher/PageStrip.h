#pragma once

#include <QLabel>
#include <QNetworkAccessManager>
#include <string>

namespace corvano {

// A small strip that shows a remote page. The page is fetched in the background and shown
// when it arrives; a page that cannot be fetched leaves the strip empty, unreported. A fetch
// still running when the strip goes is dropped at once.
class PageStrip : public QLabel
{
    Q_OBJECT

public:
    static constexpr int kTimeoutMs = 30000;

    explicit PageStrip(QWidget* parent);

    void load(const std::string& address);

protected:
    // Presses on the page are its own; they never drag the window beneath.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPage(QNetworkReply& reply);

    QNetworkAccessManager m_network;
};

} // namespace corvano
