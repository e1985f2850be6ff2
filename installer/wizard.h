// The wizard (dialog 131): the user confirms or picks the install folder, and Next copies the
// installation set into it.
#ifndef VARNEL_INSTALLER_WIZARD_H
#define VARNEL_INSTALLER_WIZARD_H

#include "framework/dialog.h"

class InstallWizardDialog : public fw::TableDialog<InstallWizardDialog> {
 public:
  InstallWizardDialog();

 protected:
  BOOL OnInitDialog() override;
  std::span<const MessageRow> MessageTable() const override;
  std::span<const CommandRow> CommandTable() const override;

 private:
  INT_PTR OnControlColour(WPARAM wParam, LPARAM lParam);
  void OnBrowse(int id, int code, HWND control);
  void OnNext(int id, int code, HWND control);
  void OnExit(int id, int code, HWND control);
};

// Copies CopySource to CopyTarget (process-wide buffers), showing both and advancing the progress
// bar of the wizard; 1 on success, 0 after its own error message.
int CopyInstallFile();

#endif
