// Message-dispatching waits and the clock they run on.
#include "desktop/waits.h"

#include <windows.h>

int TimeChangeSkips = 0;
int ShuttingDown = 0;

std::uint32_t ClockReading() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000ULL;
  const std::uint64_t milliseconds = (ticks - kTicksFrom1601To1970) / 10000;
  return static_cast<std::uint32_t>(milliseconds);
}

void DispatchPendingMessages() {
  MSG msg;
  // Wide, as the dialogs' own loop: typed characters reach the Unicode controls unchanged.
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

namespace {

// True when a clock change asked this wait to end at once (and uses up one skip).
bool ConsumeTimeChangeSkip() {
  if (TimeChangeSkips > 0) {
    --TimeChangeSkips;
    return true;
  }
  return false;
}

}  // namespace

void PumpWait(unsigned milliseconds, int force) {
  const std::uint32_t deadline = ClockReading() + milliseconds;
  const DWORD step = milliseconds > 1000 ? 100 : 1;
  for (;;) {
    DispatchPendingMessages();
    Sleep(step);
    const std::uint32_t reading = ClockReading();
    if (ConsumeTimeChangeSkip()) return;
    if (DeadlineReached(reading, deadline)) return;
    if (ShuttingDown != 0 && force != 1) return;
  }
}

void PaintingWait(unsigned milliseconds) {
  const std::uint32_t deadline = ClockReading() + milliseconds;
  for (;;) {
    MSG msg;
    // Looking at the queue also delivers the messages sent by other threads.
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
    if (ConsumeTimeChangeSkip()) return;
    if (DeadlineReached(ClockReading(), deadline)) return;
  }
}

void PumpDelay(unsigned milliseconds) {
  const DWORD step = milliseconds / 10 > 0 ? milliseconds / 10 : 1;
  const std::uint32_t deadline = ClockReading() + milliseconds;
  for (;;) {
    Sleep(step);
    DispatchPendingMessages();
    const std::uint32_t reading = ClockReading();
    if (ConsumeTimeChangeSkip()) return;
    if (DeadlineReached(reading, deadline)) return;
  }
}

void NoteTimeChange() { TimeChangeSkips = kTimeChangeSkipCount; }
