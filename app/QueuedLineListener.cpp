#include "app/QueuedLineListener.h"

#include <QMetaObject>

#include <string>

namespace tonel {

// Posted events to one receiver are delivered in the order they were posted.
void QueuedLineListener::bytesArrived(std::string_view bytes)
{
    QMetaObject::invokeMethod(
        this,
        [this, text = std::string(bytes)] {
            if (target_)
                target_->bytesArrived(text);
        },
        Qt::QueuedConnection);
}

void QueuedLineListener::lineGone(const std::string& port)
{
    QMetaObject::invokeMethod(
        this,
        [this, port] {
            if (target_)
                target_->lineGone(port);
        },
        Qt::QueuedConnection);
}

void QueuedLineListener::portError(const PortError& error)
{
    QMetaObject::invokeMethod(
        this,
        [this, error] {
            if (target_)
                target_->portError(error);
        },
        Qt::QueuedConnection);
}

}  // namespace tonel
