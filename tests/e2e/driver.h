// The end-to-end driver's helpers: start the real program in a scratch folder with a prepared
// registry, then act and look as a user would (windows, clicks, keys, menus, message boxes,
// clipboard, registry, screenshots).
#ifndef VARNEL_TESTS_E2E_DRIVER_H
#define VARNEL_TESTS_E2E_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// ---- Configuration handed over by CTest ----------------------------------------------------

// Full path of the board program under test.
std::string ProgramPath();
// Full path of the board's fault-injecting twin, for suites that hand it over.
std::string FaultProgramPath();
// Folder for scratch folders and screenshots of this run.
std::string WorkRoot();

// ---- Waiting ---------------------------------------------------------------------------------

// Polls condition every 20 ms until it holds or timeoutMs passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
void Pause(DWORD milliseconds);

// ---- Files -----------------------------------------------------------------------------------

// A fresh, empty folder under the work root (ends with a backslash).
std::string MakeScratchFolder(const std::string& name);
bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The path of a file on Wine's Z: drive in the form \\?\unix\..., for files made in bulk. Wine
// checks each new name against its whole folder, case-insensitively, unless it gets the Unix
// path: 7000 files in one folder then take about 2 s instead of 10. Other paths come back as
// they are.
std::string UnixNamespacePath(const std::string& path);

// ---- Registry (the program's settings key, in this build's own view) ------------------------

extern const char* const kSettingsKey;
// Removes the whole settings key with its subkeys.
void ClearSettings();
bool SetSetting(const std::string& subkey, const std::string& name, const std::string& value);
// The value's data, or "<missing>" when it does not exist; type receives the registry type.
std::string GetSetting(const std::string& subkey, const std::string& name, DWORD* type = nullptr);
// Points Configure\ThisProgramDir at folder and marks no copy as running.
void PrepareSettings(const std::string& folder);

// ---- Processes -------------------------------------------------------------------------------

struct Process {
  HANDLE handle = nullptr;
  DWORD id = 0;
};

// Starts program with arguments in folder.
Process Start(const std::string& program, const std::string& arguments, const std::string& folder);
// Copies the program under test into folder as QUILLOW.EXE and starts it there.
Process StartBoard(const std::string& folder, const std::string& arguments = "");
bool WaitForExit(const Process& process, DWORD timeoutMs, DWORD* exitCode = nullptr);
// Ends every QUILLOW.EXE and INSTALL.EXE still running in this Wine prefix, such as the board of
// a suite that CTest killed at its time limit; returns how many it ended.
int EndLeftoverPrograms();
// Runs a command line to its end and returns what it printed; exitCode receives its exit code.
std::string RunAndCapture(const std::string& commandLine, DWORD* exitCode = nullptr);
// Asks Wine's own reg.exe for a value of the settings key, as another program sees it.
std::string RegQueryWithRegExe(const std::string& subkey, const std::string& name);
void Kill(Process& process);
// The process's committed private memory in bytes, as VirtualQueryEx walks its address space
// (Wine leaves PrivateUsage of another process at 0); -1 when it cannot be read.
long long CommittedPrivateBytes(HANDLE process);
// Closes a board through its close box, declining the name prompt of a board without a file,
// and waits for its process to end; a process that does not end in time is killed.
bool CloseBoard(HWND board, DWORD timeoutMs = 15000);
void Close(Process& process);

// ---- Windows ---------------------------------------------------------------------------------

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::string WindowText(HWND window);
// A window's text read as Unicode (WM_GETTEXT through SendMessageW), given as UTF-8.
std::string WindowTextUtf8(HWND window);
std::string ClassName(HWND window);
// Visible top-level windows of any process whose caption starts with prefix.
std::vector<HWND> FindWindowsByCaption(const std::string& prefix);
DWORD ProcessOfWindow(HWND window);
// A visible top-level window of the process whose caption starts with prefix, or null.
HWND FindWindowByCaption(DWORD processId, const std::string& prefix, bool mustBeVisible = true);
HWND WaitForWindowByCaption(DWORD processId, const std::string& prefix, DWORD timeoutMs);
// The board: the program's visible top-level window captioned "Varnel >...".
HWND WaitForBoard(const Process& process, DWORD timeoutMs = 15000);
RECT ClientRectOnScreen(HWND window);
RECT WindowRectOnScreen(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child);
bool IsVisible(HWND window);
// Waits until the program behind window has done what it had queued to show: its start-up is
// over, its splash has gone, and a round trip through the window's thread finds no paint pending
// there (the board answers a paint by moving the focus). True when that came within timeoutMs.
bool WaitUntilSettled(HWND window, DWORD timeoutMs = 5000);
// True while the thread of window is in menu mode or its process shows a popup menu.
bool MenuIsOpen(HWND window);
// ---- Dialog units ----------------------------------------------------------------------------

// Converts a rectangle of a dialog template of the program into pixels, with the template's
// own font, the way the dialog manager does for the real window.
class DialogUnits {
 public:
  DialogUnits(const std::string& program, int templateId);
  ~DialogUnits();
  RECT ToPixels(int x, int y, int width, int height) const;
  bool Valid() const { return dialog_ != nullptr; }

 private:
  HMODULE module_ = nullptr;
  HWND dialog_ = nullptr;
};

// ---- Menus (read from the program's resources; a foreign process's menus cannot be read) ---

struct MenuEntry {
  int depth = 0;          // 0 = on the menu bar
  bool popup = false;
  bool separator = false;
  UINT id = 0;
  std::string text;
  std::vector<int> path;  // positions from the menu bar down to this entry
};
std::vector<MenuEntry> ReadMenuResource(const std::string& program, int menuId);

// ---- Input -----------------------------------------------------------------------------------

// Brings the window to the foreground and waits until it is there and has settled.
bool Activate(HWND window);
// Waits until control has the keyboard focus of its thread.
bool WaitForFocus(HWND control, DWORD timeoutMs = 3000);
// Clicks into a control and waits until it has the focus; false when it never got it.
bool ClickInto(HWND control);
// Real mouse input: moves the pointer to the centre of the window and clicks.
void ClickAt(int screenX, int screenY, bool right = false);
void Click(HWND window, bool right = false);
// Real keyboard input to whatever has the focus; modifiers are virtual-key codes held down.
void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
void TypeText(const std::string& text);
// Replaces the whole text of an edit control that has the focus by typing, and checks what
// arrived; types it again (up to three times) when a key or its Shift went astray. True once the
// control holds the text (line breaks as CR LF).
bool TypeInto(HWND edit, const std::string& text);
// Chooses a command of the board's menu bar with the keyboard (Alt and a mnemonic, arrows, Return), finding
// its place from the menu resource. False when the menu never opened (no arrow is sent then) or
// did not close after Return.
bool ChooseMenuCommand(HWND board, const std::string& program, UINT command);

// ---- Message boxes ---------------------------------------------------------------------------

// A message box (dialog class) of the process with this caption, or null.
HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs);
// The message text of a message box.
std::string MessageBoxText(HWND box);
// The same read as Unicode and given as UTF-8, for texts beyond the code page.
std::string MessageBoxTextUtf8(HWND box);
// A visible message box of the process whose text starts with prefix, or null.
HWND FindMessageBoxStartingWith(DWORD processId, const std::string& prefix);
// Presses the message box's button with this text ("OK", "Yes", "No"; ampersands ignored).
bool AnswerMessageBox(HWND box, const std::string& button);

// ---- Clipboard -------------------------------------------------------------------------------

std::string ClipboardText();
bool SetClipboardText(const std::string& text);
// Puts only CF_UNICODETEXT there, as a Unicode program copies: the text is given as UTF-8.
bool SetClipboardUnicode(const std::string& utf8);

// ---- Screenshots -----------------------------------------------------------------------------

// Saves the screen area of a window (or the whole screen for null) as a BMP under the work
// root's screenshots folder; returns the path.
std::string Screenshot(const std::string& name, HWND window = nullptr);
// The foreground window, then every top-level window of the desktop, one a line: handle, process
// id, class, caption, visible, rectangle. Reads captions without sending messages, so a hung
// program cannot stop it.
std::string DescribeTopLevelWindows();
// Saves the whole screen and the window list as <work root>failures\<name>.bmp and .txt;
// returns the path without the extension.
std::string RecordFailure(const std::string& name);

}  // namespace e2e

#endif
