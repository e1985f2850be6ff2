// Waits that keep the user interface alive: the program has a single thread, so every wait
// dispatches the thread's messages while it waits.
#ifndef VARNEL_DESKTOP_WAITS_H
#define VARNEL_DESKTOP_WAITS_H

#include <cstdint>

// After a change of the system clock the next ten waits end at once, so that no wait can hang
// because the clock was set back. The board sets it on WM_TIMECHANGE.
extern int TimeChangeSkips;
constexpr int kTimeChangeSkipCount = 10;

// Closing has begun: waits that are not forced end after one pass.
extern int ShuttingDown;

// Milliseconds since 1970 from the wall clock, modulo 2^32.
std::uint32_t ClockReading();
// A deadline is reached when the reading is at or past it, compared unsigned.
inline bool DeadlineReached(std::uint32_t reading, std::uint32_t deadline) { return reading >= deadline; }

// Translates and dispatches every message waiting for the thread.
void DispatchPendingMessages();

// Waits milliseconds, dispatching messages; sleeps 1 ms between passes for waits up to one
// second and 100 ms for longer ones. force = 1: do not stop early for ShuttingDown.
void PumpWait(unsigned milliseconds, int force);

// Waits milliseconds, painting the thread's windows and answering messages that other threads
// send, but leaving every posted message (a command, a close, a tray icon's click, a second copy's
// hand-over, typed keys) queued until the wait is over: for a wait in the middle of an operation
// that such a message would start again. Ends early after a clock change, never for ShuttingDown.
void PaintingWait(unsigned milliseconds);

// Waits milliseconds in steps of a tenth of the time (at least 1 ms), dispatching after each.
void PumpDelay(unsigned milliseconds);

// The board calls this on WM_TIMECHANGE.
void NoteTimeChange();

#endif
