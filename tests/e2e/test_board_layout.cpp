// What a user sees of the board right after start-up: the splash first, then the board with
// its caption, 33 slots where the layout puts them, the check boxes, the combo box and menu.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/session.h"

using namespace e2e;

namespace {

// Dialog-unit geometry of slot i's controls, written out from the board's layout rules.
struct Unit {
  int x, y, w, h;
};
Unit ButtonUnits(int i) { return {4 + 130 * (i / 11), 18 + 14 * (i % 11), 87, 14}; }
Unit FieldUnits(int i) { return {90 + 130 * (i / 11), 18 + 14 * (i % 11), 42, 14}; }

void ExpectAt(HWND board, HWND control, const RECT& expected, const char* what, int id) {
  ASSERT_NE(control, nullptr) << what << " " << id << " is missing";
  const RECT actual = ChildRect(board, control);
  EXPECT_EQ(actual.left, expected.left) << what << " " << id;
  EXPECT_EQ(actual.top, expected.top) << what << " " << id;
  EXPECT_EQ(actual.right - actual.left, expected.right - expected.left) << what << " " << id;
  EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top) << what << " " << id;
}

// The caption without a message to the window's thread: the splash appears before the board's
// window is created, and a WM_GETTEXT would wait for that creation and see the splash late.
std::wstring StoredCaption(HWND window) {
  wchar_t text[512] = {};
  const int length = InternalGetWindowText(window, text, 512);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

bool IsSplash(HWND window) {
  const RECT rect = WindowRectOnScreen(window);
  return ClassName(window) == "#32770" && StoredCaption(window).empty() && rect.right - rect.left == 488 &&
         rect.bottom - rect.top == 352;
}

}  // namespace

TEST(BoardStart, SplashComesFirstAndLeavesSoonAfterTheBoardAppears) {
  BoardSession session("splash");
  Process program = StartBoard(session.Folder());
  ASSERT_NE(program.handle, nullptr);

  DWORD start = GetTickCount();
  DWORD splashSeen = 0, boardSeen = 0, splashGone = 0;
  HWND board = nullptr;
  bool splashCentred = false;
  bool splashShot = false;
  while (GetTickCount() - start < 15000 && (boardSeen == 0 || splashGone == 0)) {
    bool splashVisible = false;
    for (HWND window : TopLevelWindowsOf(program.id)) {
      if (!IsWindowVisible(window)) continue;
      if (IsSplash(window)) {
        splashVisible = true;
        if (splashSeen == 0) {
          splashSeen = GetTickCount() - start;
          const RECT rect = WindowRectOnScreen(window);
          const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
          splashCentred = std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2) <= 2 &&
                          std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2) <= 2;
        }
        // The picture is drawn a moment after the splash is first seen.
        if (!splashShot && GetTickCount() - start >= splashSeen + 100) splashShot = !Screenshot("splash", window).empty();
      }
      if (StoredCaption(window).rfind(L"Varnel >", 0) == 0 && boardSeen == 0) {
        boardSeen = GetTickCount() - start;
        board = window;
      }
    }
    if (splashSeen != 0 && boardSeen != 0 && !splashVisible && splashGone == 0) splashGone = GetTickCount() - start;
    Sleep(10);
  }
  ASSERT_NE(splashSeen, 0u) << "the splash never appeared";
  ASSERT_NE(boardSeen, 0u) << "the board never appeared";
  ASSERT_NE(splashGone, 0u) << "the splash did not close";
  EXPECT_TRUE(splashCentred);
  EXPECT_LT(splashSeen, boardSeen);
  // The board comes up about 1.3 s after the splash, and the splash closes about 0.1 s later.
  EXPECT_GE(boardSeen - splashSeen, 900u);
  EXPECT_LT(splashGone - boardSeen, 1500u);

  EXPECT_TRUE(CloseBoard(board));
  Close(program);
}

TEST(BoardStart, SlotsCheckBoxesAndComboSitWhereTheLayoutPutsThem) {
  BoardSession session("layout");
  ASSERT_TRUE(session.Start());
  HWND board = session.Board();

  // With no Current stored the sample project of the program folder is proposed; it is missing
  // here, and a board without its project's slots names none.
  EXPECT_EQ(WindowText(board), "Varnel >");
  EXPECT_EQ(GetSetting("Files", "Current"), session.Folder() + "SAMPLE.VRL");
  EXPECT_EQ(ClassName(board), "#32770");
  const LONG style = GetWindowLongA(board, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongA(board, GWL_EXSTYLE) & WS_EX_APPWINDOW);

  DialogUnits units(ProgramPath(), 200);
  ASSERT_TRUE(units.Valid());
  const RECT client = ClientRectOnScreen(board);
  const RECT templateSize = units.ToPixels(0, 0, 395, 175);
  EXPECT_EQ(client.right - client.left, templateSize.right);

  for (int i = 0; i < 33; ++i) {
    const Unit b = ButtonUnits(i);
    const Unit f = FieldUnits(i);
    HWND button = session.Item(1070 + 2 * i);
    HWND field = session.Item(1071 + 2 * i);
    ExpectAt(board, button, units.ToPixels(b.x, b.y, b.w, b.h), "copy button", 1070 + 2 * i);
    ExpectAt(board, field, units.ToPixels(f.x, f.y, f.w, f.h), "text field", 1071 + 2 * i);
    ASSERT_TRUE(IsVisible(button) && IsVisible(field)) << "slot " << i;
    EXPECT_EQ(ClassName(button), "Button");
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & (BS_LEFT | BS_RIGHT), BS_LEFT) << "slot " << i;
    EXPECT_EQ(ClassName(field), "Edit");
    const LONG fieldStyle = GetWindowLongA(field, GWL_STYLE);
    EXPECT_EQ(fieldStyle & (ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN),
              ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN)
        << "slot " << i;
    HWND marker = session.Item(1004 + i);
    HWND label = session.Item(1037 + i);
    ASSERT_NE(marker, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(IsVisible(marker));
    EXPECT_FALSE(IsVisible(label));
    EXPECT_EQ(WindowText(marker), ">");
  }
  // The tab order runs field, button, field, button ... from slot 0 to slot 32.
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(GetWindow(session.Item(1071 + 2 * i), GW_HWNDNEXT), session.Item(1070 + 2 * i));
    EXPECT_EQ(GetWindow(session.Item(1070 + 2 * i), GW_HWNDNEXT), session.Item(1073 + 2 * i));
  }

  HWND dummy = session.Item(1000);
  ASSERT_NE(dummy, nullptr);
  EXPECT_FALSE(IsVisible(dummy));
  EXPECT_EQ(GetWindowLongA(dummy, GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);

  HWND minimize = session.Item(1001);
  HWND topmost = session.Item(1002);
  EXPECT_EQ(WindowText(minimize), "Minimize on each Copy");
  EXPECT_EQ(WindowText(topmost), "Varnel TopMost");
  ExpectAt(board, minimize, units.ToPixels(4, 0, 93, 14), "check box", 1001);
  ExpectAt(board, topmost, units.ToPixels(98, 0, 96, 14), "check box", 1002);

  HWND combo = session.Item(1003);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(ClassName(combo), "ComboBox");
  const LONG comboStyle = GetWindowLongA(combo, GWL_STYLE);
  EXPECT_EQ(comboStyle & 0x3, CBS_DROPDOWNLIST);
  EXPECT_TRUE(comboStyle & CBS_SORT);
  const RECT comboRect = ChildRect(board, combo);
  const RECT comboExpected = units.ToPixels(195, 0, 197, 173);
  EXPECT_EQ(comboRect.left, comboExpected.left);
  EXPECT_EQ(comboRect.top, comboExpected.top);
  EXPECT_EQ(comboRect.right, comboExpected.right);

  // Start-up leaves the focus on the project combo box.
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof(gui);
  DWORD thread = GetWindowThreadProcessId(board, nullptr);
  ASSERT_TRUE(GetGUIThreadInfo(thread, &gui));
  EXPECT_EQ(gui.hwndFocus, combo);

  Screenshot("board", board);
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(BoardMenu, MenuBarHasEveryPopupItemAndSeparatorInOrder) {
  struct Row {
    int depth;
    const char* text;  // "-" for a separator, a popup's text for a popup
    UINT id;           // 0 for popups and separators
  };
  const Row expected[] = {
      {0, "&File", 0},
      {1, "&New Project...\tCtrl+1", 32771},
      {1, "&Save Project\tCtrl+2", 32772},
      {1, "SaveAs Pro&ject...\tCtrl+3", 32773},
      {1, "-", 0},
      {1, "&Delete Project...", 32774},
      {1, "-", 0},
      {1, "E&xit\tCtrl+4", 32775},
      {0, "&Edit", 0},
      {1, "Rename B&uttons...\tCtrl+5", 32776},
      {1, "E&dit Text Field...\tCtrl+6", 32777},
      {1, "-", 0},
      {1, "&Find...\tCtrl+F", 32778},
      {0, "&Configure", 0},
      {1, "&Reposition Buttons and Text Fields...", 32779},
      {1, "&Consolidate Projects...", 32780},
      {0, "&Options", 0},
      {1, "Use &Tray instead of Taskbar", 32781},
      {1, "&Hide in Tray at Startup if Use Tray is Checked", 32782},
      {1, "-", 0},
      {1, "&Auto Paste into Application", 32783},
      {0, "Hide", 32784},
      {0, "&Help", 0},
      {1, "", 32786},
      {1, "-", 0},
      {1, "&ReadMe\tCtrl+R", 32785},
      {1, "-", 0},
      {1, "Tech-&Support by:", 0},
      {2, "&Web site:\twww.kestrune.com   ->Ctrl+W", 32787},
      {2, "&FAQ:\tFrequently Asked Questions   ->Ctrl+Q", 32788},
      {2, "&Email:\twww.kestrune.com/support/email.htm   ->Ctrl+E", 32789},
      {2, "&Phone:\tKestrune   ->Ctrl+P", 32790},
      {1, "-", 0},
      {1, "&Overview", 32791},
      {1, "-", 0},
      {1, "&Minimize on each Copy", 32792},
      {1, "Varnel &TopMost", 32793},
      {1, "&Change Project", 32794},
      {1, "&Rename One Button", 32795},
      {1, "&File", 0},
      {2, "&New Project", 32796},
      {2, "&Open Project", 32797},
      {2, "&Save Project", 32798},
      {2, "Save&As Project", 32799},
      {2, "E&xit", 32800},
      {1, "&Edit", 0},
      {2, "&Rename Buttons", 32801},
      {2, "&Edit Text Field", 32802},
      {2, "-", 0},
      {2, "&Find", 32803},
      {1, "&Configure", 0},
      {2, "&Reposition Buttons and Text Fields", 32804},
      {2, "&Consolidate Projects", 32805},
      {1, "&Options", 0},
      {2, "Use &Tray instead of Taskbar", 32806},
      {2, "&Hide in Tray at Startup if Use Tray is Checked", 32807},
      {2, "-", 0},
      {2, "&Auto Paste into Application", 32808},
      {1, "-", 0},
      {1, "&About Varnel...\tCtrl+A", 32809},
  };
  const std::vector<MenuEntry> menu = ReadMenuResource(ProgramPath(), 129);
  ASSERT_EQ(menu.size(), std::size(expected));
  for (size_t i = 0; i < menu.size(); ++i) {
    const Row& row = expected[i];
    const MenuEntry& entry = menu[i];
    EXPECT_EQ(entry.depth, row.depth) << "entry " << i << " " << row.text;
    if (std::string(row.text) == "-") {
      EXPECT_TRUE(entry.separator) << "entry " << i;
      continue;
    }
    EXPECT_EQ(entry.text, row.text) << "entry " << i;
    EXPECT_EQ(entry.popup, row.id == 0) << "entry " << i << " " << row.text;
    if (row.id != 0) {
      EXPECT_EQ(entry.id, row.id) << row.text;
    }
  }

  const std::vector<MenuEntry> slotMenu = ReadMenuResource(ProgramPath(), 131);
  ASSERT_EQ(slotMenu.size(), 4u);
  EXPECT_EQ(slotMenu[1].text, "&Rename Button...");
  EXPECT_EQ(slotMenu[1].id, 32816u);
  EXPECT_TRUE(slotMenu[2].separator);
  EXPECT_EQ(slotMenu[3].text, "&Edit Text Field...");
  EXPECT_EQ(slotMenu[3].id, 32817u);

  const std::vector<MenuEntry> trayMenu = ReadMenuResource(ProgramPath(), 132);
  ASSERT_EQ(trayMenu.size(), 2u);
  EXPECT_EQ(trayMenu[1].text, "E&xit Varnel");
  EXPECT_EQ(trayMenu[1].id, 32818u);
}

TEST(BoardClose, CloseBoxEndsTheProgram) {
  BoardSession session("close-box");
  // With its project file present the board closes without asking for a name.
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "SAMPLE.VRL", std::string(338976, '\0')));
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(Activate(session.Board()));
  // The close box as the window manager delivers it.
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 0;
  EXPECT_TRUE(WaitForExit(session.Program(), 10000, &exitCode));
}

TEST(BoardClose, EscapeAndReturnLeaveTheBoardOpen) {
  BoardSession session("escape");
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(Activate(session.Board()));
  PressKey(VK_ESCAPE);
  PressKey(VK_RETURN);
  // Either key would have closed the board well within this time.
  EXPECT_FALSE(WaitForExit(session.Program(), 500));
  EXPECT_TRUE(IsVisible(session.Board()));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(BoardMenu, CommandsChosenWithTheKeyboardReachTheBoard) {
  BoardSession session("menu-keyboard");
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "SAMPLE.VRL", std::string(338976, '\0')));
  SetSetting("Options", "AutoPaste", "1");
  SetSetting("Options", "MinOnEachCopy", "0");
  ASSERT_TRUE(session.Start());

  // Options, Auto Paste into Application: the check mark goes and the option with it.
  ASSERT_TRUE(ChooseMenuCommand(session.Board(), ProgramPath(), 32783));
  WaitUntilSettled(session.Board());
  Screenshot("menu-after-toggle", session.Board());
  // Help, Tech-Support by:, Web site: a submenu, reached past the ScreenTips entry that gets its
  // text only at run time.
  ASSERT_TRUE(ChooseMenuCommand(session.Board(), ProgramPath(), 32787));
  HWND link = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  ASSERT_NE(link, nullptr);
  EXPECT_NE(MessageBoxText(link).find("www.kestrune.com"), std::string::npos) << MessageBoxText(link);
  ASSERT_TRUE(AnswerMessageBox(link, "OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(link); }, 5000));
  // File, Exit: the board closes through its close path, which stores the option.
  ASSERT_TRUE(ChooseMenuCommand(session.Board(), ProgramPath(), 32775));
  EXPECT_TRUE(WaitForExit(session.Program(), 10000));
  EXPECT_EQ(GetSetting("Options", "AutoPaste"), "0");
}
