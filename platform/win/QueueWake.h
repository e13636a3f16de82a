#pragma once
// The queue's side of a wake-up given by a signal handler or another thread (win::WakeQueue).

namespace win::detail {

// Whether a wake-up waits to become its message.
bool WakePending();
// Posts the wake-up's message when one came since the last call (on the GUI thread, as a loop looks at
// the queue).
void PostWakeMessage();

} // namespace win::detail
