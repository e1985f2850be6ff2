// The message-dispatching waits against the real message queue and clock.
#include <gtest/gtest.h>
#include <windows.h>

#include "desktop/waits.h"

namespace {

// A message-only window that counts what reaches it, to see that a wait dispatches.
struct CountingWindow {
  static int delivered;
  HWND hwnd = nullptr;

  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP) ++delivered;
    return DefWindowProcA(h, m, w, l);
  }
  CountingWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VarnelWaitTest";
    RegisterClassA(&wc);
    hwnd = CreateWindowA("VarnelWaitTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    delivered = 0;
  }
  ~CountingWindow() { DestroyWindow(hwnd); }
};
int CountingWindow::delivered = 0;

// Timer ticks counted by the tests that watch how often a wait lets a timer fire.
int ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }

// Counts Sleep-sized gaps: how many timer ticks of a 10 ms timer a wait let through.
DWORD Elapsed(DWORD start) { return GetTickCount() - start; }

class Waits : public ::testing::Test {
 protected:
  void SetUp() override {
    TimeChangeSkips = 0;
    ShuttingDown = 0;
  }
  void TearDown() override {
    TimeChangeSkips = 0;
    ShuttingDown = 0;
  }
};

}  // namespace

TEST_F(Waits, ShortWaitTakesItsTimeAndDispatchesMeanwhile) {
  CountingWindow window;
  PostMessageA(window.hwnd, WM_APP, 0, 0);
  const DWORD start = GetTickCount();
  PumpWait(100, 0);
  const DWORD took = Elapsed(start);
  EXPECT_GE(took, 90u);
  EXPECT_LT(took, 1000u);
  EXPECT_EQ(CountingWindow::delivered, 1);
}

TEST_F(Waits, MessagesPostedDuringAWaitAreHandledBeforeItEnds) {
  // A timer fires every 20 ms: a wait that dispatches sees several of its ticks.
  CountingWindow window;
  ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTick);
  PumpWait(300, 0);
  KillTimer(nullptr, timer);
  EXPECT_GE(ticks, 3);
}

TEST_F(Waits, LongWaitSleepsInTenthOfASecondSteps) {
  // Over one second the wait sleeps 100 ms between passes: a message posted at the start is
  // handled at once, and a timer of 10 ms fires at most about once per step.
  ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CountTick);
  const DWORD start = GetTickCount();
  PumpWait(1500, 0);
  const DWORD took = Elapsed(start);
  KillTimer(nullptr, timer);
  EXPECT_GE(took, 1400u);
  EXPECT_LT(took, 4000u);
  EXPECT_LE(ticks, 25);  // about 15 passes; with 1 ms steps it would be over 100
  EXPECT_GE(ticks, 5);
}

TEST_F(Waits, DelayStepsAreATenthOfTheTime) {
  ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 5, CountTick);
  const DWORD start = GetTickCount();
  PumpDelay(1000);  // steps of 100 ms: about ten passes
  const DWORD took = Elapsed(start);
  KillTimer(nullptr, timer);
  EXPECT_GE(took, 950u);
  EXPECT_LT(took, 3000u);
  EXPECT_LE(ticks, 16);
  EXPECT_GE(ticks, 5);

  const DWORD shortStart = GetTickCount();
  PumpDelay(5);  // steps of 1 ms, never 0
  EXPECT_LT(Elapsed(shortStart), 500u);
}

TEST_F(Waits, AfterAClockChangeTenWaitsEndAtOnceAndTheEleventhDoesNot) {
  NoteTimeChange();
  EXPECT_EQ(TimeChangeSkips, 10);
  const DWORD start = GetTickCount();
  for (int i = 0; i < 5; ++i) PumpWait(5000, 1);
  // A delay still sleeps its first step (50 ms here) before it looks at the counter.
  for (int i = 0; i < 5; ++i) PumpDelay(500);
  EXPECT_LT(Elapsed(start), 2000u);
  EXPECT_EQ(TimeChangeSkips, 0);

  const DWORD eleventh = GetTickCount();
  PumpWait(300, 1);
  EXPECT_GE(Elapsed(eleventh), 250u);
}

TEST_F(Waits, ShuttingDownEndsUnforcedWaitsAfterOnePass) {
  ShuttingDown = 1;
  const DWORD start = GetTickCount();
  PumpWait(3000, 0);
  EXPECT_LT(Elapsed(start), 1000u);

  const DWORD forced = GetTickCount();
  PumpWait(300, 1);
  EXPECT_GE(Elapsed(forced), 250u);
}

TEST_F(Waits, ZeroWaitStillDispatchesOnce) {
  CountingWindow window;
  PostMessageA(window.hwnd, WM_APP, 0, 0);
  PumpWait(0, 0);
  EXPECT_EQ(CountingWindow::delivered, 1);
}

TEST(Clock, ReadingIsMillisecondsOfTheWallClock) {
  const std::uint32_t first = ClockReading();
  Sleep(200);
  const std::uint32_t second = ClockReading();
  EXPECT_GE(second - first, 150u);
  EXPECT_LT(second - first, 2000u);
  EXPECT_TRUE(DeadlineReached(5, 5));
  EXPECT_FALSE(DeadlineReached(4, 5));
}
