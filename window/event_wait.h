#pragma once

#include <functional>

class QObject;
class QWidget;

namespace lout {

// Waits at least `milliseconds` while the application goes on handling its
// events. It blocks in the event loop until the deadline or the next event,
// so it uses almost no processor time, and it runs on a monotonic clock, so
// a wait across midnight or a clock change still ends. Waits can nest: an
// event handled during the wait may itself wait. Zero or less returns at once
// without handling any event.
void waitHandlingEvents(int milliseconds);

// What follows a finished edit of `field`. With the field still focused
// (Enter) `apply` runs at once. When the field lost its focus to a click that
// is still being delivered, it runs after that click (queued on `context`):
// `apply` may redraw, and the redraw's wait must not take in the click's
// release before its press.
void afterEditingFinished(const QWidget& field, QObject* context, std::function<void()> apply);

} // namespace lout
