// Dialog base class: modal and modeless dialogs from templates, with one object per window kind.
// Subclasses declare their handlers in tables (TableDialog); IDOK and IDCANCEL have default
// handling, and the modal loop offers every message to a pre-translate hook first.
#ifndef VARNEL_FRAMEWORK_DIALOG_H
#define VARNEL_FRAMEWORK_DIALOG_H

#include <windows.h>

#include <span>
#include <string>

namespace fw {

class Dialog {
 public:
  explicit Dialog(int templateId);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the dialog, runs its own message loop until EndDialog, destroys it and returns the
  // result; -1 when the window could not be created. A template without WS_VISIBLE is shown
  // the first time the loop finds no message waiting, unless it has been minimised by then.
  INT_PTR RunModal(HWND owner);
  // Creates the dialog without a loop of its own; false when the window could not be created.
  bool CreateModeless(HWND owner);
  // Ends a modal dialog with the result, or hides a modeless one.
  void EndDialog(INT_PTR result);

  HWND Handle() const { return hwnd_; }
  bool HasEnded() const { return ended_; }

  // Offered each message of the modal loop before it is translated and dispatched; true when
  // the message was handled. The default lets the dialog manager handle keyboard navigation.
  virtual bool PreTranslateMessage(MSG* msg);

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendDlgItemMessageA(hwnd_, id, message, wParam, lParam);
  }
  void SetItemText(int id, const char* text) const { SetDlgItemTextA(hwnd_, id, text); }
  int ItemText(int id, char* buffer, int size) const {
    return static_cast<int>(GetDlgItemTextA(hwnd_, id, buffer, size));
  }
  std::wstring ItemTextWide(int id) const;
  void SetItemTextWide(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }
  bool IsItemChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void CheckItem(int id, bool checked) const {
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  void EnableItem(int id, bool enabled) const { EnableWindow(Item(id), enabled ? TRUE : FALSE); }
  void ShowItem(int id, bool shown) const { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }

 protected:
  // Window initialisation. TRUE lets the system give the focus to the first control.
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  // A handled message sets result (the dialog procedure's return value) and returns true.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // A handled command returns true.
  virtual bool HandleCommand(int id, int code, HWND control);
  // A handled notification sets result, which the caller hands back in DWLP_MSGRESULT.
  virtual bool HandleNotify(NMHDR* header, LRESULT& result);
  // The whole WM_COMMAND: the handlers, then the default routing.
  virtual void OnCommand(WPARAM wParam, LPARAM lParam);
  // Default routing of a command: IDOK and IDCANCEL; anything else is ignored.
  void DefaultCommand(WPARAM wParam);

  // For messages whose answer travels in DWLP_MSGRESULT; returns TRUE for the dialog procedure.
  INT_PTR SetMessageResult(LRESULT value) const;

 private:
  HWND Create(HWND owner, bool modal);
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool ended_ = false;
  INT_PTR result_ = -1;
};

// A dialog whose handlers are listed in two tables that the subclass returns.
template <class Derived>
class TableDialog : public Dialog {
 public:
  using Dialog::Dialog;

 protected:
  // A message handler returns what the dialog procedure returns: FALSE for default processing.
  struct MessageRow {
    UINT message;
    INT_PTR (Derived::*handler)(WPARAM wParam, LPARAM lParam);
  };
  // A command row covers the identifiers firstId to lastId; code kAnyCode matches every code.
  static constexpr int kAnyCode = -1;
  struct CommandRow {
    int firstId;
    int lastId;
    int code;
    void (Derived::*handler)(int id, int code, HWND control);
  };

  // A notification row matches WM_NOTIFY from control id (kAnyId: any control) with code.
  static constexpr int kAnyId = -1;
  struct NotifyRow {
    int id;
    UINT code;
    LRESULT (Derived::*handler)(NMHDR* header);
  };

  virtual std::span<const MessageRow> MessageTable() const { return {}; }
  virtual std::span<const CommandRow> CommandTable() const { return {}; }
  virtual std::span<const NotifyRow> NotifyTable() const { return {}; }

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    for (const MessageRow& row : MessageTable()) {
      if (row.message == message) {
        result = (static_cast<Derived*>(this)->*row.handler)(wParam, lParam);
        return true;
      }
    }
    return false;
  }

  bool HandleCommand(int id, int code, HWND control) override {
    for (const CommandRow& row : CommandTable()) {
      if (id >= row.firstId && id <= row.lastId && (row.code == kAnyCode || row.code == code)) {
        (static_cast<Derived*>(this)->*row.handler)(id, code, control);
        return true;
      }
    }
    return false;
  }

  bool HandleNotify(NMHDR* header, LRESULT& result) override {
    for (const NotifyRow& row : NotifyTable()) {
      if ((row.id == kAnyId || static_cast<UINT_PTR>(row.id) == header->idFrom) && row.code == header->code) {
        result = (static_cast<Derived*>(this)->*row.handler)(header);
        return true;
      }
    }
    return false;
  }
};

// The whole text of a window or control, as the control holds it.
std::wstring WindowTextWide(HWND window);

// Centres a window on the desktop window's rectangle (its work area is not considered).
void CenterOnDesktop(HWND window);

}  // namespace fw

#endif
