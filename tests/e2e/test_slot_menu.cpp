// The copy buttons' context menu as a user meets it: a right-click opens it at the pointer,
// "Rename Button..." asks for the caption, and only copy buttons have the menu.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

using namespace e2e;

namespace {

// The popup menu window of the program, when one is showing.
HWND VisibleMenu(DWORD processId) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassName(window) == "#32768") return window;
  }
  return nullptr;
}

HWND WaitForMenu(DWORD processId, DWORD timeoutMs) {
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = VisibleMenu(processId)) != nullptr; }, timeoutMs);
  return menu;
}

POINT CentreOf(HWND window) {
  const RECT rect = WindowRectOnScreen(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A right-click that opens nothing: the menu would be up well within this time.
bool NoMenuAfter(DWORD processId) { return WaitForMenu(processId, 1200) == nullptr; }

}  // namespace

TEST(SlotMenu, RightClickOpensTheMenuAtThePointerAndRenameSetsAtMost31Characters) {
  BoardSession session("slot-menu");
  const std::string path = session.UseCurrentProject("Named.vrl", TaggedProject("N"));
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start());
  const DWORD program = session.Program().id;
  HWND button = session.Item(1070 + 2 * 4);
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(WaitUntilSettled(session.Board()));

  const POINT at = CentreOf(button);
  ClickAt(at.x, at.y, true);
  HWND menu = WaitForMenu(program, 5000);
  ASSERT_NE(menu, nullptr) << "no menu after a right-click on a copy button";
  Screenshot("slot-menu");
  // Centred under the pointer, its top at the pointer.
  const RECT rect = WindowRectOnScreen(menu);
  EXPECT_LE(std::abs((rect.left + rect.right) / 2 - at.x), 2) << rect.left << ".." << rect.right << " at " << at.x;
  EXPECT_LE(std::abs(rect.top - at.y), 2) << rect.top << " at " << at.y;

  PressKey('R');
  HWND box = WaitForWindowByCaption(program, "Define Button", 5000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(VisibleMenu(program), nullptr);
  HWND edit = GetDlgItem(box, 1170);
  EXPECT_EQ(WindowText(GetDlgItem(box, 1169)), "Define this button name as:");
  EXPECT_EQ(WindowText(edit), "N button 4");
  ASSERT_TRUE(WaitForFocus(edit));
  const DWORD selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), std::string("N button 4").size());
  Screenshot("define-button-input-box", box);

  // Typing replaces the selected caption; the button keeps the first 31 characters. One typed key
  // shows the replacement, the long rest goes in whole.
  const std::string typed = "abcdefghijklmnopqrstuvwxyz0123456789wxyz";
  ASSERT_EQ(typed.size(), 40u);
  TypeText(typed.substr(0, 1));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(edit) == typed.substr(0, 1); }, 5000)) << WindowText(edit);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  ASSERT_EQ(WindowText(edit), typed);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(button) == typed.substr(0, 31); }, 5000)) << WindowText(button);
  EXPECT_EQ(WindowText(session.Item(1070 + 2 * 3)), "N button 3");
  EXPECT_EQ(WindowText(session.Item(1070 + 2 * 5)), "N button 5");

  // The same right-click again, at exactly the same place, is taken for a repeat of the first.
  ASSERT_TRUE(Activate(session.Board()));
  ClickAt(at.x, at.y, true);
  EXPECT_TRUE(NoMenuAfter(program));

  // A pixel away it is a new right-click: the menu again, this time chosen with the arrow keys,
  // and Esc in the box leaves the caption alone.
  ClickAt(at.x + 1, at.y, true);
  menu = WaitForMenu(program, 5000);
  ASSERT_NE(menu, nullptr);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  box = WaitForWindowByCaption(program, "Define Button", 5000);
  ASSERT_NE(box, nullptr);
  edit = GetDlgItem(box, 1170);
  EXPECT_EQ(WindowText(edit), typed.substr(0, 31));
  ASSERT_TRUE(WaitForFocus(edit));
  TypeText("thrown away");
  ASSERT_TRUE(WaitUntil([&] { return WindowText(edit) == "thrown away"; }, 5000));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  EXPECT_EQ(WindowText(button), typed.substr(0, 31));
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(NameInFile(ReadWholeFile(path), 4), typed.substr(0, 31));
}

TEST(SlotMenu, CheckBoxesHaveNoMenu) {
  BoardSession session("slot-menu-check");
  const std::string path = session.UseCurrentProject("Named.vrl", TaggedProject("N"));
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start());
  const DWORD program = session.Program().id;
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(WaitUntilSettled(session.Board()));

  for (int id : {1001, 1002}) {
    SCOPED_TRACE(id);
    HWND check = session.Item(id);
    const LRESULT state = SendMessageA(check, BM_GETCHECK, 0, 0);
    Click(check, true);
    EXPECT_TRUE(NoMenuAfter(program));
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), state);
  }
  // The board still answers a right-click on a copy button, so the silence above was the
  // check boxes' own.
  Click(session.Item(1070), true);
  HWND menu = WaitForMenu(program, 5000);
  EXPECT_NE(menu, nullptr);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return VisibleMenu(program) == nullptr; }, 3000));
  EXPECT_TRUE(session.CloseAndWait());
}
