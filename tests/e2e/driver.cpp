// The end-to-end driver's helpers.
#include "tests/e2e/driver.h"

#include <tlhelp32.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

std::string ToWindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string Environment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : fallback;
}

std::string WithoutAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '&') out += c;
  }
  return out;
}

}  // namespace

std::string ProgramPath() { return ToWindowsPath(Environment("VARNEL_PROGRAM", "QUILLOW.EXE")); }

std::string FaultProgramPath() { return ToWindowsPath(Environment("VARNEL_FAULT_PROGRAM", "QUILLOW_FAULTS.EXE")); }

std::string WorkRoot() {
  std::string root = ToWindowsPath(Environment("VARNEL_E2E_WORK", "e2e-work"));
  if (root.back() != '\\') root += '\\';
  CreateDirectoryA(root.c_str(), nullptr);
  return root;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(20);
  }
}

void Pause(DWORD milliseconds) { Sleep(milliseconds); }

// ---- Files ----

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
        RemoveDirectoryA(path.c_str());
      } else {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
}

}  // namespace

std::string MakeScratchFolder(const std::string& name) {
  const std::string folder = WorkRoot() + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  RemoveTree(folder);
  return folder;
}

std::string UnixNamespacePath(const std::string& path) {
  if (path.size() < 3 || (path[0] != 'Z' && path[0] != 'z') || path[1] != ':' || path[2] != '\\') return path;
  return "\\\\?\\unix" + path.substr(2);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Shares everything, so that a case polling a file never makes the program's save of it fail.
std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// ---- Registry ----

const char* const kSettingsKey = "Software\\Kestrune\\Applications\\vrl";

void ClearSettings() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey); }

bool SetSetting(const std::string& subkey, const std::string& name, const std::string& value) {
  HKEY key = nullptr;
  const std::string path = std::string(kSettingsKey) + "\\" + subkey;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

std::string GetSetting(const std::string& subkey, const std::string& name, DWORD* type) {
  HKEY key = nullptr;
  const std::string path = std::string(kSettingsKey) + "\\" + subkey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
  char data[4096] = {};
  DWORD size = sizeof(data) - 1;
  DWORD valueType = 0;
  const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &valueType, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return "<missing>";
  if (type != nullptr) *type = valueType;
  std::string text(data, size);
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

void PrepareSettings(const std::string& folder) {
  ClearSettings();
  SetSetting("Configure", "ThisProgramDir", folder);
  SetSetting("Handles", "TransHandle", "0");
}

// ---- Processes ----

namespace {

// Everything the driver starts lives in one job that ends with the driver, however it ends: a
// suite killed at its time limit takes its board with it instead of leaving it to the next suite.
HANDLE DriverJob() {
  static HANDLE job = [] {
    HANDLE created = CreateJobObjectA(nullptr, nullptr);
    if (created == nullptr) return created;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
      CloseHandle(created);
      created = nullptr;
    }
    return created;
  }();
  return job;
}

bool IsLeftoverProgram(const char* exeFile) {
  const char* base = exeFile;
  for (const char* c = exeFile; *c != '\0'; ++c) {
    if (*c == '\\' || *c == '/') base = c + 1;
  }
  return lstrcmpiA(base, "QUILLOW.EXE") == 0 || lstrcmpiA(base, "INSTALL.EXE") == 0;
}

}  // namespace

int EndLeftoverPrograms() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  std::vector<DWORD> leftovers;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID != GetCurrentProcessId() && IsLeftoverProgram(entry.szExeFile)) {
      leftovers.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  int ended = 0;
  for (DWORD id : leftovers) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) continue;
    if (TerminateProcess(process, 99) && WaitForSingleObject(process, 5000) == WAIT_OBJECT_0) ++ended;
    CloseHandle(process);
  }
  return ended;
}

Process Start(const std::string& program, const std::string& arguments, const std::string& folder) {
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  Process process;
  // Suspended until it is in the job, so that nothing it starts itself escapes the job.
  if (CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    HANDLE job = DriverJob();
    if (job != nullptr) AssignProcessToJobObject(job, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.id = info.dwProcessId;
  }
  return process;
}

Process StartBoard(const std::string& folder, const std::string& arguments) {
  const std::string program = folder + "QUILLOW.EXE";
  if (!FileExists(program)) CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE);
  return Start(program, arguments, folder);
}

bool WaitForExit(const Process& process, DWORD timeoutMs, DWORD* exitCode) {
  if (process.handle == nullptr) return true;
  if (WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode != nullptr) GetExitCodeProcess(process.handle, exitCode);
  return true;
}

std::string RunAndCapture(const std::string& commandLine, DWORD* exitCode) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "";
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION info = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  std::string output;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(writeEnd);
    writeEnd = nullptr;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got > 0) output.append(chunk, got);
    WaitForSingleObject(info.hProcess, 30000);
    if (exitCode != nullptr) GetExitCodeProcess(info.hProcess, exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  if (writeEnd != nullptr) CloseHandle(writeEnd);
  CloseHandle(readEnd);
  return output;
}

std::string RegQueryWithRegExe(const std::string& subkey, const std::string& name) {
  const std::string command =
      "reg.exe query \"HKLM\\" + std::string(kSettingsKey) + "\\" + subkey + "\" /v " + name;
  // Once, in a loaded run, reg.exe gave no line at all for a value the driver had just read. Only
  // reg.exe's own answer counts: the value's line, or its "Unable to find"; a run that gave
  // neither is run again, and after three it is shown with what it printed.
  std::string output;
  DWORD exitCode = 0;
  for (int run = 0; run < 3; ++run) {
    exitCode = 0;
    output = RunAndCapture(command, &exitCode);
    // A line "    Name    REG_SZ    data"; the data may be empty.
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const size_t type = line.find("REG_SZ");
      if (type == std::string::npos) continue;
      std::string data = line.substr(type + 6);
      const size_t start = data.find_first_not_of(' ');
      return "REG_SZ:" + (start == std::string::npos ? std::string() : data.substr(start));
    }
    if (output.find("Unable to find") != std::string::npos) return "<missing>";
  }
  return "<reg.exe gave no answer: exit " + std::to_string(exitCode) + ", printed \"" + output + "\">";
}

void Kill(Process& process) {
  if (process.handle == nullptr) return;
  if (WaitForSingleObject(process.handle, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process.handle, 99);
    WaitForSingleObject(process.handle, 5000);
  }
  Close(process);
}

long long CommittedPrivateBytes(HANDLE process) {
  long long total = 0;
  const char* address = nullptr;
  MEMORY_BASIC_INFORMATION region;
  bool walked = false;
  while (VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region)) {
    walked = true;
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<long long>(region.RegionSize);
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return walked ? total : -1;
}

bool CloseBoard(HWND board, DWORD timeoutMs) {
  DWORD processId = 0;
  GetWindowThreadProcessId(board, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  if (process == nullptr) return !IsWindow(board);
  PostMessageA(board, WM_SYSCOMMAND, SC_CLOSE, 0);
  const bool ended = WaitUntil(
      [&] {
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return true;
        HWND prompt = FindWindowByCaption(processId, "Save Current Varnel Project As");
        if (prompt != nullptr) PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
        // A name declined at closing is followed by the question what to do with the texts.
        HWND question = FindMessageBoxStartingWith(processId, "The board's texts are not saved");
        if (question != nullptr) AnswerMessageBox(question, "No");
        return false;
      },
      timeoutMs);
  if (!ended) {
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
  }
  CloseHandle(process);
  return ended;
}

void Close(Process& process) {
  if (process.handle != nullptr) CloseHandle(process.handle);
  process.handle = nullptr;
}

// ---- Windows ----

namespace {

struct WindowsOfProcess {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowsOfProcess*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

struct WindowsByCaption {
  const std::string* prefix;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowByCaption(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowsByCaption*>(data);
  if (IsWindowVisible(window) && WindowText(window).rfind(*search->prefix, 0) == 0) search->found.push_back(window);
  return TRUE;
}

// The dialog units tool creates a template's window only to measure it.
INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  WindowsOfProcess search{processId, {}};
  EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  char text[11000] = {};
  const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string WindowTextUtf8(HWND window) {
  static wchar_t text[22000];
  const LRESULT length = SendMessageW(window, WM_GETTEXT, sizeof(text) / sizeof(text[0]), reinterpret_cast<LPARAM>(text));
  if (length <= 0) return {};
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

bool IsVisible(HWND window) { return window != nullptr && IsWindowVisible(window); }

namespace {

// The splash is the program's only dialog without a caption bar; its leaving uncovers the board,
// which then repaints.
bool SplashShowing(DWORD processId) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassName(window) == "#32770" &&
        (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
      return true;
    }
  }
  return false;
}

int PopupMenusShowing(DWORD processId) {
  int count = 0;
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassName(window) == "#32768") ++count;
  }
  return count;
}

}  // namespace

bool WaitUntilSettled(HWND window, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  const auto remaining = [&]() -> DWORD {
    const DWORD spent = GetTickCount() - start;
    return spent >= timeoutMs ? 0 : timeoutMs - spent;
  };
  DWORD processId = 0;
  if (GetWindowThreadProcessId(window, &processId) == 0) return false;
  // Under Wine this waits only for the first time the program is idle after its start; later
  // calls return at once, so the paints are looked for below.
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process != nullptr) {
    WaitForInputIdle(process, remaining());
    CloseHandle(process);
  }
  // A paint can be queued only once the thread has read the event behind it, so the round trip
  // comes first and the quiet has to be seen twice in a row.
  int quietLooks = 0;
  return WaitUntil(
      [&] {
        DWORD_PTR ignored = 0;
        const bool quiet = !SplashShowing(processId) &&
                           SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) != 0 &&
                           !GetUpdateRect(window, nullptr, FALSE);
        quietLooks = quiet ? quietLooks + 1 : 0;
        return quietLooks >= 2;
      },
      remaining());
}

bool MenuIsOpen(HWND window) {
  DWORD processId = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &processId);
  if (thread == 0) return false;
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof(gui);
  if (GetGUIThreadInfo(thread, &gui) && (gui.flags & GUI_INMENUMODE) != 0) return true;
  return PopupMenusShowing(processId) > 0;
}

DWORD ProcessOfWindow(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner;
}

std::vector<HWND> FindWindowsByCaption(const std::string& prefix) {
  WindowsByCaption search{&prefix, {}};
  EnumWindows(CollectWindowByCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindWindowByCaption(DWORD processId, const std::string& prefix, bool mustBeVisible) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (mustBeVisible && !IsWindowVisible(window)) continue;
    if (WindowText(window).rfind(prefix, 0) == 0) return window;
  }
  return nullptr;
}

HWND WaitForWindowByCaption(DWORD processId, const std::string& prefix, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowByCaption(processId, prefix)) != nullptr; }, timeoutMs);
  return found;
}

HWND WaitForBoard(const Process& process, DWORD timeoutMs) {
  return WaitForWindowByCaption(process.id, "Varnel >", timeoutMs);
}

RECT ClientRectOnScreen(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT WindowRectOnScreen(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// ---- Dialog units ----

DialogUnits::DialogUnits(const std::string& program, int templateId) {
  module_ = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module_ == nullptr) return;
  dialog_ = CreateDialogParamA(module_, MAKEINTRESOURCEA(templateId), nullptr, InertDialogProc, 0);
}

DialogUnits::~DialogUnits() {
  if (dialog_ != nullptr) DestroyWindow(dialog_);
  if (module_ != nullptr) FreeLibrary(module_);
}

RECT DialogUnits::ToPixels(int x, int y, int width, int height) const {
  // The dialog manager converts position and size separately, so the size is not the
  // difference of two converted corners.
  RECT units = {x, y, width, height};
  if (dialog_ != nullptr) MapDialogRect(dialog_, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

// ---- Menus ----

namespace {

void CollectMenu(HMENU menu, int depth, std::vector<int> path, std::vector<MenuEntry>& out) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    char text[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    GetMenuItemInfoA(menu, position, TRUE, &info);
    MenuEntry entry;
    entry.depth = depth;
    // An item with an id and no text loads as a separator, but the program gives it its text at
    // run time (the ScreenTips item), so the arrow keys stop on it.
    entry.separator = (info.fType & MFT_SEPARATOR) != 0 && info.wID == 0;
    entry.popup = info.hSubMenu != nullptr;
    entry.id = entry.popup ? 0 : info.wID;
    entry.text = text;
    entry.path = path;
    entry.path.push_back(position);
    out.push_back(entry);
    if (entry.popup) CollectMenu(info.hSubMenu, depth + 1, entry.path, out);
  }
}

}  // namespace

std::vector<MenuEntry> ReadMenuResource(const std::string& program, int menuId) {
  std::vector<MenuEntry> entries;
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return entries;
  HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(menuId));
  if (menu != nullptr) {
    CollectMenu(menu, 0, {}, entries);
    DestroyMenu(menu);
  }
  FreeLibrary(module);
  return entries;
}

// ---- Input ----

bool Activate(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  // The window manager may give a window of another program the focus without raising it, and
  // a click would then land on whatever covers it.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
  if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 3000)) return false;
  // The window's thread reads the focus change from X, and with it the state of the modifier
  // keys, which undoes a Shift or Alt pressed down before: keys wait until that has happened.
  WaitUntilSettled(window);
  return true;
}

void ClickAt(int screenX, int screenY, bool right) {
  SetCursorPos(screenX, screenY);
  Sleep(50);
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(1, &inputs[0], sizeof(INPUT));
  Sleep(30);
  SendInput(1, &inputs[1], sizeof(INPUT));
  Sleep(50);
}

void Click(HWND window, bool right) {
  const RECT rect = WindowRectOnScreen(window);
  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, right);
}

bool WaitForFocus(HWND control, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof(gui);
        return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &gui) && gui.hwndFocus == control;
      },
      timeoutMs);
}

bool ClickInto(HWND control) {
  // The board answers a repaint by moving the focus to its combo box: let the paints that
  // activation caused run first, and make sure none came after the click took the focus.
  HWND top = GetAncestor(control, GA_ROOT);
  WaitUntilSettled(top);
  for (int attempt = 0; attempt < 3; ++attempt) {
    Click(control);
    if (WaitForFocus(control, 1000) && WaitUntilSettled(top) && WaitForFocus(control, 0)) return true;
  }
  return false;
}

namespace {

void SendKey(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  for (WORD modifier : modifiers) {
    SendKey(modifier, false);
    Sleep(20);
  }
  SendKey(virtualKey, false);
  Sleep(30);
  SendKey(virtualKey, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
    Sleep(20);
    SendKey(*it, true);
  }
  Sleep(50);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    if (c == '\n') {
      PressKey(VK_RETURN);
      continue;
    }
    const SHORT key = VkKeyScanA(c);
    if (key == -1) continue;
    const WORD virtualKey = LOBYTE(key);
    if (HIBYTE(key) & 1) {
      PressKey(virtualKey, {VK_SHIFT});
    } else {
      PressKey(virtualKey);
    }
  }
}

bool TypeInto(HWND edit, const std::string& text) {
  std::string expected;
  for (char c : text) {
    if (c == '\n') expected += '\r';
    expected += c;
  }
  for (int attempt = 0; attempt < 3; ++attempt) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    TypeText(text);
    // Every key has been read once the length is reached; a key that never arrived shows as the
    // limit running out.
    WaitUntil([&] { return WindowText(edit).size() >= expected.size(); }, 3000);
    if (WindowText(edit) == expected) return true;
  }
  return false;
}

bool ChooseMenuCommand(HWND board, const std::string& program, UINT command) {
  const std::vector<MenuEntry> menu = ReadMenuResource(program, 129);
  // An item with an id but no text in the resource loads as a separator; the program gives it
  // its text at run time, and then it is an entry that the arrow keys step over like any other.
  auto selectable = [](const MenuEntry& entry) { return !entry.separator || entry.id != 0; };
  const MenuEntry* target = nullptr;
  for (const MenuEntry& entry : menu) {
    if (!entry.popup && selectable(entry) && entry.id == command) target = &entry;
  }
  if (target == nullptr) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(board, &processId);

  // Counts the selectable entries before a position at one level, as arrow keys step over them.
  auto stepsTo = [&](const std::vector<int>& parentPath, int position) {
    int steps = 0;
    for (const MenuEntry& entry : menu) {
      if (entry.path.size() != parentPath.size() + 1) continue;
      if (!std::equal(parentPath.begin(), parentPath.end(), entry.path.begin())) continue;
      if (entry.path.back() < position && selectable(entry)) ++steps;
    }
    return steps;
  };

  // Alt with the mnemonic of the first popup of the path opens it with its first entry selected
  // (a bare F10 or Alt does not enter the menu bar under Wine when the input is synthesised).
  auto mnemonicOf = [](const std::string& text) -> WORD {
    const size_t amp = text.find('&');
    return amp != std::string::npos && amp + 1 < text.size()
               ? static_cast<WORD>(std::toupper(static_cast<unsigned char>(text[amp + 1])))
               : 0;
  };
  const bool onMenuBar = target->path.size() == 1;
  const MenuEntry* firstPopup = nullptr;
  for (const MenuEntry& entry : menu) {
    if (entry.depth == 0 && entry.path[0] == (onMenuBar ? 0 : target->path[0])) firstPopup = &entry;
  }
  if (firstPopup == nullptr || mnemonicOf(firstPopup->text) == 0) return false;

  // An Alt that the program never sees (Wine re-reads the modifier keys when a window gains the
  // focus) lets the mnemonic and the arrows reach the focused control instead, which for the
  // board is the project combo box: nothing is sent on until the popup is seen open.
  auto leaveMenu = [&] {
    for (int i = 0; i < 2 && MenuIsOpen(board); ++i) {
      PressKey(VK_ESCAPE);
      WaitUntil([&] { return PopupMenusShowing(processId) == 0; }, 1000);
    }
  };
  bool opened = false;
  for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
    if (attempt > 0) leaveMenu();
    if (!Activate(board)) continue;
    // The paints that activation caused come first: the board answers them by moving the focus.
    WaitUntilSettled(board);
    PressKey(mnemonicOf(firstPopup->text), {VK_MENU});
    opened = WaitUntil([&] { return PopupMenusShowing(processId) > 0; }, 2000);
  }
  if (!opened) {
    leaveMenu();
    return false;
  }

  if (onMenuBar) {
    for (int i = 0; i < stepsTo({}, target->path[0]); ++i) PressKey(VK_RIGHT);
  } else {
    std::vector<int> parent = {target->path[0]};
    for (size_t level = 1; level < target->path.size(); ++level) {
      for (int i = 0; i < stepsTo(parent, target->path[level]); ++i) PressKey(VK_DOWN);
      parent.push_back(target->path[level]);
      if (level + 1 < target->path.size()) {
        PressKey(VK_RIGHT);  // opens the submenu with its first entry selected
        const int popups = static_cast<int>(level) + 1;
        if (!WaitUntil([&] { return PopupMenusShowing(processId) >= popups; }, 2000)) {
          leaveMenu();
          return false;
        }
      }
    }
  }
  PressKey(VK_RETURN);
  // The command reaches the board as the menu closes.
  if (WaitUntil([&] { return !MenuIsOpen(board); }, 5000)) return true;
  leaveMenu();
  return false;
}

// ---- Message boxes ----

HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(processId)) {
          if (IsWindowVisible(window) && ClassName(window) == "#32770" && WindowText(window) == caption) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::string MessageBoxText(HWND box) {
  std::string best;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) != "Static") continue;
    const std::string text = WindowText(child);
    if (text.size() > best.size()) best = text;
  }
  return best;
}

std::string MessageBoxTextUtf8(HWND box) {
  std::string best;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) != "Static") continue;
    const std::string text = WindowTextUtf8(child);
    if (text.size() > best.size()) best = text;
  }
  return best;
}

HWND FindMessageBoxStartingWith(DWORD processId, const std::string& prefix) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassName(window) == "#32770" && MessageBoxText(window).rfind(prefix, 0) == 0) {
      return window;
    }
  }
  return nullptr;
}

bool AnswerMessageBox(HWND box, const std::string& button) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) != "Button" || !IsWindowVisible(child)) continue;
    if (WithoutAmpersands(WindowText(child)) == button) {
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
      return true;
    }
  }
  return false;
}

// ---- Clipboard ----

std::string ClipboardText() {
  std::string text;
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return "<clipboard busy>";
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const char* chars = static_cast<const char*>(GlobalLock(data));
    if (chars != nullptr) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(const std::string& text) {
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool done = false;
  if (memory != nullptr) {
    char* chars = static_cast<char*>(GlobalLock(memory));
    std::snprintf(chars, text.size() + 1, "%s", text.c_str());
    GlobalUnlock(memory);
    done = SetClipboardData(CF_TEXT, memory) != nullptr;
  }
  CloseClipboard();
  return done;
}

bool SetClipboardUnicode(const std::string& utf8) {
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (count <= 0 || !WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<size_t>(count) * sizeof(wchar_t));
  bool done = false;
  if (memory != nullptr) {
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, static_cast<wchar_t*>(GlobalLock(memory)), count);
    GlobalUnlock(memory);
    done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  }
  CloseClipboard();
  return done;
}

// ---- Screenshots ----

namespace {

bool SaveScreenBitmap(const std::string& path, RECT area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, previous);

  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = ((width * 3 + 3) / 4) * 4;
  std::vector<char> pixels(static_cast<size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

RECT WholeScreen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

BOOL CALLBACK CollectAnyWindow(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

// The caption as the window manager stores it: no message goes to the window's thread.
std::string StoredCaption(HWND window) {
  wchar_t wide[512] = {};
  const int length = InternalGetWindowText(window, wide, 512);
  if (length <= 0) return "";
  char narrow[1024] = {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, narrow, sizeof(narrow) - 1, nullptr, nullptr);
  return std::string(narrow, bytes > 0 ? static_cast<size_t>(bytes) : 0);
}

}  // namespace

std::string Screenshot(const std::string& name, HWND window) {
  const std::string folder = WorkRoot() + "screenshots\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + name + ".bmp";
  return SaveScreenBitmap(path, window != nullptr ? WindowRectOnScreen(window) : WholeScreen()) ? path : "";
}

std::string DescribeTopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectAnyWindow, reinterpret_cast<LPARAM>(&windows));
  std::ostringstream out;
  out << "foreground 0x" << std::hex << reinterpret_cast<ULONG_PTR>(GetForegroundWindow()) << std::dec << '\n';
  out << "handle\tprocess\tclass\tcaption\tvisible\trectangle\n";
  for (HWND window : windows) {
    const RECT rect = WindowRectOnScreen(window);
    out << "0x" << std::hex << reinterpret_cast<ULONG_PTR>(window) << std::dec << '\t' << ProcessOfWindow(window)
        << '\t' << ClassName(window) << "\t\"" << StoredCaption(window) << "\"\t"
        << (IsWindowVisible(window) ? "visible" : "hidden") << '\t' << rect.left << ',' << rect.top << ' '
        << rect.right - rect.left << 'x' << rect.bottom - rect.top << '\n';
  }
  return out.str();
}

std::string RecordFailure(const std::string& name) {
  const std::string folder = WorkRoot() + "failures\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string base = folder + name;
  SaveScreenBitmap(base + ".bmp", WholeScreen());
  WriteWholeFile(base + ".txt", DescribeTopLevelWindows());
  return base;
}

}  // namespace e2e
