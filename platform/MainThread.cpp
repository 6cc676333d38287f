#include "platform/MainThread.h"

#include <QObject>

namespace kaldo {

void PostToMain(QObject* context, std::function<void()> call) {
    QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
}

} // namespace kaldo
