#include "PageStrip.h"

#include "engine/PageDecoder.h"

#include <QMouseEvent>
#include <QNetworkReply>

namespace corvano {

PageStrip::PageStrip(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PageStrip::load(const std::string& address)
{
    QNetworkRequest request(QUrl(QString::fromStdString(address)));
    request.setTransferTimeout(kTimeoutMs);
    QNetworkReply* reply = m_network.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        showPage(*reply);
    });
}

void PageStrip::showPage(QNetworkReply& reply)
{
    if (reply.error() != QNetworkReply::NoError)
        return;
    const QByteArray body = reply.readAll();
    const QByteArray type = reply.header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const std::string text = PageDecoder::decode(std::string_view(body.data(), body.size()),
                                                 std::string_view(type.data(), type.size()));
    setText(QString::fromStdString(text));
}

void PageStrip::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void PageStrip::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void PageStrip::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

} // namespace corvano
