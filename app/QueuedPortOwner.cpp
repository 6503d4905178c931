#include "app/QueuedPortOwner.h"

#include <QMetaObject>

namespace tonel {

void QueuedPortOwner::setHandlers(EventHandler onEvent, ErrorHandler onError)
{
    onEvent_ = std::move(onEvent);
    onError_ = std::move(onError);
}

// Posted events to one receiver are delivered in the order they were posted.
void QueuedPortOwner::portNotification(PortEvent event, std::uint8_t byte, int port)
{
    QMetaObject::invokeMethod(
        this,
        [this, event, byte, port] {
            if (onEvent_)
                onEvent_(event, byte, port);
        },
        Qt::QueuedConnection);
}

void QueuedPortOwner::portErrorReport(const std::string& text)
{
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            if (onError_)
                onError_(text);
        },
        Qt::QueuedConnection);
}

}  // namespace tonel
