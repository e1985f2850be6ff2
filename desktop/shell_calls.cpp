// shell32 loaded on first use (desktop/shell_calls.h).
#include "desktop/shell_calls.h"

namespace {

using NotifyIconFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Through the generic function type, which the compiler accepts as a go-between for any other.
FARPROC ShellFunction(const char* name) {
  static HMODULE shell = LoadLibraryA("shell32.dll");
  return shell != nullptr ? GetProcAddress(shell, name) : nullptr;
}

}  // namespace

BOOL ShellNotifyIcon(DWORD operation, NOTIFYICONDATAA* data) {
  const auto notify =
      reinterpret_cast<NotifyIconFunction>(reinterpret_cast<void (*)()>(ShellFunction("Shell_NotifyIconA")));
  return notify != nullptr ? notify(operation, data) : FALSE;
}

HINSTANCE ShellExecuteFile(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* folder, int show) {
  const auto execute =
      reinterpret_cast<ExecuteFunction>(reinterpret_cast<void (*)()>(ShellFunction("ShellExecuteA")));
  // SE_ERR_DLLNOTFOUND: what ShellExecute itself answers when a library it needs is missing.
  if (execute == nullptr) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  return execute(owner, verb, file, parameters, folder, show);
}
