#include "PageStrip.h"

#include "engine/PageDecoder.h"

#include <QMouseEvent>

namespace corvano {

PageStrip::PageStrip(QWidget* parent)
    : QLabel(parent), m_poster(*this), m_transfer(m_poster, kIdleLimit)
{
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_transfer.setRequestTimeout(static_cast<int>(kIdleLimit.count()));
    m_transfer.setStateHandler([this](TransferState state) { showPage(state); });
}

void PageStrip::load(const std::string& address)
{
    if (!m_transfer.StillExecuting())
        m_transfer.Execute(address, "get");
}

void PageStrip::showPage(TransferState state)
{
    if (state != TransferState::ResponseCompleted)
        return;
    const std::string body = m_transfer.GetChunk(CurlTransfer::kBodyCap);
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
