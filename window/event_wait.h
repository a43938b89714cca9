#pragma once

namespace lout {

// Waits at least `milliseconds` while the application goes on handling its
// events. It blocks in the event loop until the deadline or the next event,
// so it uses almost no processor time, and it runs on a monotonic clock, so
// a wait across midnight or a clock change still ends. Waits can nest: an
// event handled during the wait may itself wait. Zero or less returns at once
// without handling any event.
void waitHandlingEvents(int milliseconds);

} // namespace lout
