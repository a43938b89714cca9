#include "window/event_wait.h"

#include <QApplication>
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
    // A popup opening on a click (the model list's own) takes the focus from
    // the field without moving it: the click is still being delivered then.
    if (field.hasFocus() && !QApplication::activePopupWidget()) {
        apply();
        return;
    }
    QMetaObject::invokeMethod(context, std::move(apply), Qt::QueuedConnection);
}

} // namespace lout
