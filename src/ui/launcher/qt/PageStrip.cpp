#include "PageStrip.h"

#include "engine/PageDecoder.h"

#include <QMouseEvent>

namespace corvano {

PageStrip::PageStrip(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_transfer.setStateHandler([this](TransferState state) {
        if (state == TransferState::ResponseCompleted)
            showPage();
    });
}

void PageStrip::load(const std::string& address)
{
    if (m_transfer.StillExecuting())
        return;
    m_transfer.Execute(address, "get");
}

void PageStrip::showPage()
{
    const std::string body = m_transfer.GetChunk(Transfer::kReadSize);
    setText(QString::fromStdString(PageDecoder::decode(body, m_transfer.contentType())));
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
