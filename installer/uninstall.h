// Removal: the entry in the system's list of installed programs, dialog 132 and the deletion of the
// install folder tree.
#ifndef VARNEL_INSTALLER_UNINSTALL_H
#define VARNEL_INSTALLER_UNINSTALL_H

#include <windows.h>

#include "framework/dialog.h"

void WriteUninstallEntry(const char* installFolder);

// Deletes path with everything below it. Never descends into a junction or symbolic link (it is
// removed as a link or, failing that, left with its target untouched) and never builds a path of
// MAX_PATH characters or more: deletion stops there. Non-zero when path itself was removed.
int DeleteFolderTree(const char* path);

class UninstallConfirmDialog : public fw::TableDialog<UninstallConfirmDialog> {
 public:
  UninstallConfirmDialog();
  // After Finish: the folder as the registry names it, and whether it went in whole.
  const char* Folder() const { return folder_; }
  bool FolderRemoved() const { return folderRemoved_; }

 protected:
  BOOL OnInitDialog() override;
  std::span<const MessageRow> MessageTable() const override;
  std::span<const CommandRow> CommandTable() const override;

 private:
  INT_PTR OnControlColour(WPARAM wParam, LPARAM lParam);
  void OnCancelButton(int id, int code, HWND control);
  void OnFinish(int id, int code, HWND control);

  char folder_[261] = {};
  bool folderRemoved_ = false;
};

// The uninstall command: confirmation, dialog 132, shortcuts and group, the final message.
void RunUninstallCommand(HWND backdrop, fw::Dialog& backdropDialog);

#endif
