// Application object and the thread's message-filter hook.
#include "framework/app.h"

#include <commctrl.h>

namespace fw {

namespace {
App* currentApp = nullptr;
bool hasFilteredMessage = false;
MSG filteredMessage = {};

bool SameMessage(const MSG& a, const MSG& b) {
  return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
         a.time == b.time;
}
}  // namespace

void App::MarkAlreadyFiltered(const MSG* msg) {
  hasFilteredMessage = msg != nullptr;
  if (msg != nullptr) filteredMessage = *msg;
}

App::App() { currentApp = this; }

App::~App() {
  if (filterHook_ != nullptr) UnhookWindowsHookEx(filterHook_);
  if (currentApp == this) currentApp = nullptr;
}

App* App::Current() { return currentApp; }

int App::Run(HINSTANCE instance, const char* commandLine) {
  instance_ = instance;
  commandLine_ = commandLine != nullptr ? commandLine : "";

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // Message boxes and menus run loops of the system's own; the hook is how the application
  // still sees their keyboard messages. Our own modal loop calls CallMsgFilter to reach it too.
  filterHook_ = SetWindowsHookExA(WH_MSGFILTER, MessageFilterHook, nullptr, GetCurrentThreadId());

  if (InitInstance()) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (!ProcessMessageFilter(MSGF_DIALOGBOX, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  return ExitInstance();
}

bool App::ProcessMessageFilter(int, MSG*) { return false; }

LRESULT CALLBACK App::MessageFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  App* app = currentApp;
  if (code == MSGF_DIALOGBOX && hasFilteredMessage && lParam != 0 &&
      SameMessage(filteredMessage, *reinterpret_cast<MSG*>(lParam))) {
    hasFilteredMessage = false;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  if (code >= 0 && app != nullptr && lParam != 0) {
    if (app->ProcessMessageFilter(code, reinterpret_cast<MSG*>(lParam))) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace fw
