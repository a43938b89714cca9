#include "window/event_wait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace lout {

void waitHandlingEvents(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    const QDeadlineTimer deadline(std::chrono::milliseconds(milliseconds), Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        QEventLoop loop;
        QTimer wakeUp;
        wakeUp.setSingleShot(true);
        wakeUp.setTimerType(Qt::PreciseTimer);
        QObject::connect(&wakeUp, &QTimer::timeout, &loop, &QEventLoop::quit);
        // Whole milliseconds, rounded up, so the timer never fires early.
        const qint64 remaining = (deadline.remainingTimeNSecs() + 999'999) / 1'000'000;
        wakeUp.start(std::chrono::milliseconds(remaining > 0 ? remaining : 1));
        loop.exec();
    }
}

void afterEditingFinished(const QWidget& field, QObject* context, std::function<void()> apply)
{
    if (field.hasFocus()) {
        apply();
        return;
    }
    QMetaObject::invokeMethod(context, std::move(apply), Qt::QueuedConnection);
}

} // namespace lout
