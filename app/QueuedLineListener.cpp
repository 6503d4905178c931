#include "app/QueuedLineListener.h"

#include <QMetaObject>

#include <string>
#include <utility>

namespace tonel {

// Posted events to one receiver are delivered in the order they were posted.
template <typename Deliver>
void QueuedLineListener::post(Deliver deliver)
{
    QMetaObject::invokeMethod(
        this,
        [this, deliver = std::move(deliver)] {
            if (target_)
                deliver(*target_);
        },
        Qt::QueuedConnection);
}

void QueuedLineListener::bytesArrived(std::string_view bytes)
{
    post([text = std::string(bytes)](LineListener& target) { target.bytesArrived(text); });
}

void QueuedLineListener::lineConnected(const std::string& port)
{
    post([port](LineListener& target) { target.lineConnected(port); });
}

void QueuedLineListener::lineGone(const std::string& port)
{
    post([port](LineListener& target) { target.lineGone(port); });
}

void QueuedLineListener::portError(const PortError& error)
{
    post([error](LineListener& target) { target.portError(error); });
}

}  // namespace tonel
