// Renaming all buttons, editing one text field in the large editor and putting the slots in a new
// order, as a user meets them.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

constexpr const char* kFortyCharacters = "abcdefghijklmnopqrstuvwxyz0123456789wxyz";

std::string Caption(const BoardSession& session, int slot) { return WindowText(session.Item(1070 + 2 * slot)); }
std::string Field(const BoardSession& session, int slot) { return WindowText(session.Item(1071 + 2 * slot)); }

bool StartOnProject(BoardSession& session, std::string& path) {
  path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "AutoPaste", "0");
  return session.Start();
}

HWND OpenRenameButtons(BoardSession& session) {
  if (!Activate(session.Board())) return nullptr;
  PressKey('5', {VK_CONTROL});
  return WaitForWindowByCaption(session.Program().id, "Rename Buttons", 5000);
}

// Types one character through X11 as a person with that key on the keyboard would: characters
// outside the US layout (the euro sign, accented letters) arrive as the characters they are.
// The key is mapped for the moment of the typing, which the program may miss while it is busy,
// so the character is typed again until the edit shows it.
bool TypeThroughX11(HWND window, HWND edit, const char* utf8Escaped, const std::string& arrives) {
  const auto xWindow = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
  const std::string script = WorkRoot() + "type.sh";
  std::ofstream(script, std::ios::binary) << "xdotool windowactivate --sync " << xWindow
                                          << " type --delay 100 \"$(printf '" << utf8Escaped << "')\"\n";
  std::string unixScript = script.substr(2);  // Wine shows the Linux root as drive Z:
  for (char& c : unixScript) c = c == '\\' ? '/' : c;
  const std::string before = WindowText(edit);
  for (int attempt = 0; attempt < 3; ++attempt) {
    RunAndCapture("/bin/sh " + unixScript);
    if (WaitUntil([&] { return WindowText(edit).size() > before.size(); }, 2000)) break;
  }
  return WindowText(edit).find(arrives) != std::string::npos;
}

}  // namespace

TEST(RenameButtons, NamesAreCutTo31AndReachTheFileOnlyWithTheNextSave) {
  BoardSession session("rename-buttons");
  std::string path;
  ASSERT_TRUE(StartOnProject(session, path));
  HWND dialog = OpenRenameButtons(session);
  ASSERT_NE(dialog, nullptr) << "Ctrl+5 did not open Rename Buttons";
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1071 + 2 * 32)), "L button 32");
  Screenshot("rename-buttons", dialog);

  // The board's shortcuts are dead while the dialog is on top.
  PressKey('5', {VK_CONTROL});
  EXPECT_FALSE(WaitUntil([&] { return FindWindowsByCaption("Rename Buttons").size() > 1; }, 1000));

  // A pasted name stops where a name of the file ends.
  ASSERT_TRUE(PasteInto(GetDlgItem(dialog, 1071), kFortyCharacters));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 1071)), std::string(kFortyCharacters).substr(0, 31));
  SendMessageA(GetDlgItem(dialog, 1073), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  ASSERT_TRUE(Activate(dialog));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_EQ(Caption(session, 0), std::string(kFortyCharacters).substr(0, 31));
  EXPECT_EQ(Caption(session, 1), "");
  EXPECT_EQ(Caption(session, 2), "L button 2");
  EXPECT_EQ(ReadWholeFile(path), TaggedProject("L")) << "renaming wrote the file";

  PostMessageA(session.Board(), WM_COMMAND, 32772, 0);
  ASSERT_TRUE(WaitUntil([&] { return NameInFile(ReadWholeFile(path), 0) == std::string(kFortyCharacters).substr(0, 31); },
                        15000));
  EXPECT_EQ(NameInFile(ReadWholeFile(path), 1), "");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(RenameButtons, CancelAfterEditsChangesNoCaption) {
  BoardSession session("rename-cancel");
  std::string path;
  ASSERT_TRUE(StartOnProject(session, path));
  HWND dialog = OpenRenameButtons(session);
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, 1075), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("not wanted"));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  for (int slot = 0; slot < 33; ++slot) EXPECT_EQ(Caption(session, slot), "L button " + std::to_string(slot));
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(ReadWholeFile(path), TaggedProject("L"));
}

TEST(EditTextField, TheSlotMenuOpensTheEditorOnItsFieldAndTypedTextArrivesAsTyped) {
  BoardSession session("edit-text-field");
  std::string path;
  ASSERT_TRUE(StartOnProject(session, path));
  ASSERT_TRUE(Activate(session.Board()));
  // Another field is current first: the menu of slot 5's button makes field 1081 current.
  ASSERT_TRUE(ClickInto(session.Item(1071 + 2 * 20)));
  Click(session.Item(1080), true);
  ASSERT_TRUE(WaitUntil([&] { return FindWindowByCaption(session.Program().id, "") != nullptr; }, 5000));
  PressKey('E');
  HWND editor = WaitForWindowByCaption(session.Program().id, "Edit Text Field", 5000);
  ASSERT_NE(editor, nullptr);
  HWND text = GetDlgItem(editor, 1140);
  EXPECT_EQ(WindowText(text), "L text 5\r\nsecond line");
  ASSERT_TRUE(WaitForFocus(text));
  EXPECT_EQ(SendMessageA(text, EM_GETSEL, 0, 0), 0) << "the caret is not at the start with nothing selected";
  Screenshot("edit-text-field", editor);

  // A line break typed with Return, and characters of the ANSI code page beyond ASCII.
  TypeText("new\n");
  EXPECT_TRUE(TypeThroughX11(editor, text, "\\342\\202\\254", "new\r\n\x80")) << WindowText(text);
  EXPECT_TRUE(TypeThroughX11(editor, text, "\\303\\251", "new\r\n\x80\xE9")) << WindowText(text);
  const std::string typed = "new\r\n\x80\xE9";
  ASSERT_TRUE(WaitUntil([&] { return WindowText(text).rfind(typed, 0) == 0; }, 5000)) << WindowText(text);
  PostMessageA(editor, WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5000));
  EXPECT_EQ(Field(session, 5), typed + "L text 5\r\nsecond line");
  EXPECT_EQ(Field(session, 20), "L text 20\r\nsecond line");
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(TextInFile(ReadWholeFile(path), 5), typed + "L text 5\r\nsecond line");
}

TEST(EditTextField, OpenedAgainAndAgainOnAFullFieldLeavesTheBoardsMemoryAsItWas) {
  BoardSession session("edit-memory");
  std::string names[33], texts[33];
  texts[0] = std::string(10239, 'w');
  session.UseCurrentProject("Full.vrl", ProjectBytes(names, texts));
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(ClickInto(session.Item(1071)));
  const auto openAndCancel = [&] {
    PostMessageA(session.Board(), WM_COMMAND, 32777, 0);
    HWND editor = WaitForWindowByCaption(session.Program().id, "Edit Text Field", 5000);
    if (editor == nullptr || WindowText(GetDlgItem(editor, 1140)).size() != 10239) return false;
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(1139, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(editor); }, 5000);
  };
  EXPECT_TRUE(OpeningsKeepNoMemory(session, openAndCancel));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Reposition, ClicksInReverseReverseTheProjectWhileSavingWaits) {
  BoardSession session("reposition");
  std::string path;
  ASSERT_TRUE(StartOnProject(session, path));
  HWND board = session.Board();
  auto visible = [&](int id) { return IsWindowVisible(session.Item(id)) != FALSE; };
  auto enabled = [&](int id) { return IsWindowEnabled(session.Item(id)) != FALSE; };

  for (const char* answer : {"Cancel", "OK"}) {
    PostMessageA(board, WM_COMMAND, 32779, 0);
    HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box).rfind("[Configure], [Reposition Buttons and Text Fields]\r\n\r\nClick all 33", 0), 0u);
    ASSERT_TRUE(AnswerMessageBox(box, answer));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  }
  ASSERT_TRUE(WaitUntil([&] { return visible(1004); }, 3000)) << "the mode did not start";
  EXPECT_FALSE(enabled(1003));
  EXPECT_FALSE(enabled(1071));
  EXPECT_TRUE(enabled(1070));

  // The first click with the mouse, on the last slot.
  ASSERT_TRUE(Activate(board));
  Click(session.Item(1134));
  ASSERT_TRUE(WaitUntil([&] { return visible(1069) && WindowText(session.Item(1069)) == "1"; }, 3000));
  EXPECT_FALSE(enabled(1134));
  EXPECT_FALSE(visible(1004));
  EXPECT_TRUE(visible(1005));
  Screenshot("reposition-first-click", board);

  // Save is held back: a text changed now would otherwise reach the file.
  SendMessageA(session.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed during the mode"));
  PressKey('2', {VK_CONTROL});
  for (int slot = 31; slot >= 0; --slot) PostMessageA(board, WM_COMMAND, 1070 + 2 * slot, 0);
  ASSERT_TRUE(WaitUntil([&] { return enabled(1071) && !visible(1069); }, 5000)) << "the mode did not finish";
  EXPECT_EQ(ReadWholeFile(path), TaggedProject("L")) << "a save ran during the mode";
  EXPECT_FALSE(visible(1036));
  EXPECT_EQ(Caption(session, 0), "L button 32");
  EXPECT_EQ(Field(session, 31), "L text 1\r\nsecond line");
  EXPECT_EQ(Caption(session, 32), "L button 0");
  EXPECT_EQ(Field(session, 32), "changed during the mode");
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(NameInFile(ReadWholeFile(path), 0), "L button 32");
}

namespace {

// What the screen shows at a window's place, pixel by pixel.
std::string ScreenPixels(HWND window) {
  const RECT rect = WindowRectOnScreen(window);
  HDC screen = GetDC(nullptr);
  std::string pixels;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) pixels += std::to_string(GetPixel(screen, x, y)) + " ";
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

// True once neither the board nor these controls wait for a paint.
bool PaintsDone(HWND board, std::initializer_list<HWND> controls) {
  return WaitUntilSettled(board) && WaitUntil(
                                        [&] {
                                          for (HWND control : controls) {
                                            if (GetUpdateRect(control, nullptr, FALSE)) return false;
                                          }
                                          return true;
                                        },
                                        3000);
}

// True once the keyboard focus is on the board or on one of its enabled controls.
bool WaitForFocusOnBoard(HWND board) {
  return WaitUntil(
      [&] {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof(gui);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(board, nullptr), &gui)) return false;
        return gui.hwndFocus == board || (IsChild(board, gui.hwndFocus) && IsWindowEnabled(gui.hwndFocus));
      },
      3000);
}

}  // namespace

TEST(Reposition, EachLabelStaysReadableAboveItsButtonThroughARoundOfRealClicks) {
  BoardSession session("reposition-labels");
  std::string path;
  ASSERT_TRUE(StartOnProject(session, path));
  HWND board = session.Board();
  ASSERT_TRUE(StartRepositionMode(session));
  ASSERT_TRUE(Activate(board));
  // Ten steps apart, so that the clicks go back and forth between the columns.
  auto clicked = [](int k) { return (k * 10) % 33; };
  for (int k = 0; k < 32; ++k) {
    const int slot = clicked(k);
    HWND button = session.Item(1070 + 2 * slot);
    HWND label = session.Item(1037 + slot);
    Click(button);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(label) && WindowText(label) == std::to_string(k + 1); }, 3000))
        << "click " << k + 1 << " on slot " << slot;
    ASSERT_TRUE(PaintsDone(board, {button, label, session.Item(1071 + 2 * slot)}));
    // The label drawn once more on its own shows what it holds: the screen must already show that.
    const std::string shown = ScreenPixels(label);
    InvalidateRect(label, nullptr, TRUE);
    ASSERT_TRUE(PaintsDone(board, {label}));
    EXPECT_TRUE(ScreenPixels(label) == shown) << "label " << k + 1 << " of slot " << slot << " is covered";
    if (k == 0 || k == 16 || k == 31) Screenshot("reposition-labels-" + std::to_string(k + 1), board);
  }
  Click(session.Item(1070 + 2 * clicked(32)));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(session.Item(1071)) && !IsWindowVisible(session.Item(1037)); }, 5000))
      << "the mode did not finish";
  for (int k = 0; k < 33; ++k) EXPECT_EQ(Caption(session, k), "L button " + std::to_string(clicked(k)));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Reposition, TheBoardKeepsTheFocusSoTheShortcutsThatTheModeAllowsStillWork) {
  BoardSession session("reposition-keys");
  std::string path;
  ASSERT_TRUE(StartOnProject(session, path));
  HWND board = session.Board();
  ASSERT_TRUE(StartRepositionMode(session));
  EXPECT_TRUE(WaitForFocusOnBoard(board)) << "the disabled combo box took the focus away";
  ASSERT_TRUE(Activate(board));
  Click(session.Item(1070 + 2 * 4));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.Item(1041)); }, 3000));
  EXPECT_TRUE(WaitForFocusOnBoard(board)) << "the clicked button, now disabled, took the focus away";

  // Twice, so that the focus comes back to the board after Find closes.
  for (int opening = 0; opening < 2; ++opening) {
    ASSERT_TRUE(Activate(board));
    PressKey('F', {VK_CONTROL});
    HWND find = WaitForWindowByCaption(session.Program().id, "Find in Projects", 5000);
    ASSERT_NE(find, nullptr) << "Ctrl+F did nothing, opening " << opening + 1;
    PostMessageA(find, WM_COMMAND, MAKEWPARAM(1182, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(find); }, 5000));
  }
  // What the mode holds back stays held back, and Escape and Return change nothing.
  ASSERT_TRUE(Activate(board));
  PressKey('5', {VK_CONTROL});
  PressKey(VK_ESCAPE);
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForWindowByCaption(session.Program().id, "Rename Buttons", 1000), nullptr);
  EXPECT_TRUE(StaysOpen(session, 500));
  EXPECT_TRUE(IsWindowVisible(session.Item(1005))) << "the collection moved on or ended";
  EXPECT_TRUE(WaitForFocusOnBoard(board));
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(ReadWholeFile(path), TaggedProject("L"));
}
