#include "QtUiPoster.h"

#include <QCoreApplication>

void QtUiPoster::Post(std::function<void()> task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}
