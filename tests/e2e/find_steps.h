// Steps in Find in Projects that its suites share: pressing and choosing its buttons and reading
// the result it shows.
#ifndef VARNEL_TESTS_E2E_FIND_STEPS_H
#define VARNEL_TESTS_E2E_FIND_STEPS_H

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver.h"

namespace e2e {

inline void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
inline void Choose(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline std::string Shown(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// Waits for the result with this project name and button number, complete.
inline ::testing::AssertionResult ShowsMatch(HWND dialog, const std::string& project, const std::string& number) {
  if (WaitUntil([&] { return Shown(dialog, 1187) == project && Shown(dialog, 1191) == number; }, 10000)) {
    // Answered only once the press that showed it has been handled to its end.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "shows " << Shown(dialog, 1187) << " button " << Shown(dialog, 1191)
                                       << " instead of " << project << " button " << number;
}

}  // namespace e2e

#endif
