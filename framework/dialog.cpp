// Dialog base class and its modal loop.
#include "framework/dialog.h"

#include "framework/app.h"

namespace fw {

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
  }
}

INT_PTR Dialog::RunModal(HWND owner) {
  HWND window = Create(owner, true);
  if (window == nullptr) return -1;

  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);

  bool showOnIdle = !ended_ && !IsWindowVisible(window);
  MSG msg;
  while (!ended_ && IsWindow(window)) {
    if (showOnIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      // A window minimised before the loop went idle (hidden into the tray, say) was put away
      // on purpose; showing it now would bring it back.
      if (!IsIconic(window)) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
      }
      showOnIdle = false;
    }
    // The wide calls throughout: a character typed or pasted into one of our Unicode controls
    // reaches it as it was, not through the code page.
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    // The same hook call the system's own dialog loop makes, so the application's message
    // filter sees our dialogs' messages exactly as it sees those of message boxes.
    if (CallMsgFilterW(&msg, MSGF_DIALOGBOX)) continue;
    App::MarkAlreadyFiltered(&msg);
    const bool handled = PreTranslateMessage(&msg);
    App::MarkAlreadyFiltered(nullptr);
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  if (disableOwner) EnableWindow(owner, TRUE);
  if (IsWindow(window)) {
    if (owner != nullptr && GetActiveWindow() == window) SetActiveWindow(owner);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    DestroyWindow(window);
  }
  modal_ = false;
  return result_;
}

bool Dialog::CreateModeless(HWND owner) { return Create(owner, false) != nullptr; }

HWND Dialog::Create(HWND owner, bool modal) {
  modal_ = modal;
  ended_ = false;
  result_ = -1;
  // Unicode windows, controls included: an ANSI edit control would turn a pasted text into the
  // code page at once, with look-alike substitutes, before the program could see what was lost.
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (hwnd_ == nullptr) return;
  if (modal_) {
    // Wakes the modal loop, which may be waiting for a message.
    PostMessageA(hwnd_, WM_NULL, 0, 0);
  } else {
    ::EndDialog(hwnd_, result);
  }
}

std::wstring Dialog::ItemTextWide(int id) const { return WindowTextWide(Item(id)); }

bool Dialog::PreTranslateMessage(MSG* msg) {
  if (hwnd_ == nullptr) return false;
  return IsDialogMessageW(hwnd_, msg) != FALSE;
}

bool Dialog::HandleMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

bool Dialog::HandleCommand(int, int, HWND) { return false; }

bool Dialog::HandleNotify(NMHDR*, LRESULT&) { return false; }

void Dialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (!HandleCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
    DefaultCommand(wParam);
  }
}

void Dialog::DefaultCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      break;
    case IDCANCEL:
      OnCancel();
      break;
    default:
      break;
  }
}

INT_PTR Dialog::SetMessageResult(LRESULT value) const {
  SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, value);
  return TRUE;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    dialog->hwnd_ = hwnd;
  } else {
    dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (dialog == nullptr) return FALSE;
  const INT_PTR result = dialog->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    dialog->hwnd_ = nullptr;
  }
  return result;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return TRUE;
    case WM_NOTIFY: {
      // A dialog procedure cannot return a notification's answer itself: it travels in
      // DWLP_MSGRESULT, and TRUE tells the dialog manager to use it.
      LRESULT answer = 0;
      if (lParam != 0 && HandleNotify(reinterpret_cast<NMHDR*>(lParam), answer)) return SetMessageResult(answer);
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace fw

namespace fw {

std::wstring WindowTextWide(HWND window) {
  std::wstring text;
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return text;
  text.resize(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void CenterOnDesktop(HWND window) {
  RECT desktop;
  RECT own;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int x = desktop.left + ((desktop.right - desktop.left) - width) / 2;
  const int y = desktop.top + ((desktop.bottom - desktop.top) - height) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw
