#pragma once

#include "platform/EventPoster.h"

#include <QObject>

namespace corvano {

// Hands events from any thread to the Qt event loop of the context object's thread. Events
// still queued when the context object is destroyed are dropped.
class QtEventPoster : public EventPoster
{
public:
    explicit QtEventPoster(QObject& context) : m_context(context) {}

    void post(std::function<void()> event) override
    {
        QMetaObject::invokeMethod(&m_context, std::move(event), Qt::QueuedConnection);
    }

private:
    QObject& m_context;
};

} // namespace corvano
