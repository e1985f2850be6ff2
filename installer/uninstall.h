// Removal: the entry in the system's list of installed programs, dialog 132 and the deletion of the
// install folder tree.
#ifndef VARNEL_INSTALLER_UNINSTALL_H
#define VARNEL_INSTALLER_UNINSTALL_H

#include <windows.h>

#include "framework/dialog.h"
#include "installer/contained_delete.h"

void WriteUninstallEntry(const char* installFolder);

// Deletes from path, and below it, what belongs to the program, then every folder left empty.
// Everything else stays and is named in report.kept: the user's own files, a folder whose name
// begins with a dot, and whatever a handle reaches outside the folder (a link, under Wine a Unix
// link that looks like a plain file). The first deletion that fails stops the removal before the
// program and the installer go, so that the next UnInstall finds the installation; no path of
// MAX_PATH characters or more is built. Non-zero when path itself was removed.
int DeleteFolderTree(const char* path, RemovalReport& report);

// Whether a board runs: its window is registered and marked, or its program file is held open.
bool BoardIsRunning(const char* installFolder);

class UninstallConfirmDialog : public fw::TableDialog<UninstallConfirmDialog> {
 public:
  UninstallConfirmDialog();
  // After Finish: the folder as the registry names it, and whether it went in whole.
  const char* Folder() const { return folder_; }
  bool FolderRemoved() const { return folderRemoved_; }
  const RemovalReport& Report() const { return report_; }
  // Finish found a board running and removed nothing.
  bool BoardWasRunning() const { return boardRunning_; }

 protected:
  BOOL OnInitDialog() override;
  std::span<const MessageRow> MessageTable() const override;
  std::span<const CommandRow> CommandTable() const override;

 private:
  INT_PTR OnControlColour(WPARAM wParam, LPARAM lParam);
  // Draws control 1009: the folder's lines end in a path ellipsis, the sentences wrap, so that the
  // question stays in view however long the folder is. The control keeps the whole text.
  INT_PTR OnDrawItem(WPARAM wParam, LPARAM lParam);
  void OnCancelButton(int id, int code, HWND control);
  void OnFinish(int id, int code, HWND control);

  char folder_[261] = {};
  bool folderRemoved_ = false;
  bool boardRunning_ = false;
  RemovalReport report_;
};

// The uninstall command: confirmation, dialog 132, shortcuts and group, the final message.
void RunUninstallCommand(HWND backdrop, fw::Dialog& backdropDialog);

#endif
