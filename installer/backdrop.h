// The backdrop (dialog 130): the maximised window with the banner under which the installer
// installs, relays or removes.
#ifndef VARNEL_INSTALLER_BACKDROP_H
#define VARNEL_INSTALLER_BACKDROP_H

#include "framework/dialog.h"

class BackdropDialog : public fw::TableDialog<BackdropDialog> {
 public:
  BackdropDialog();
  ~BackdropDialog() override;

 protected:
  BOOL OnInitDialog() override;
  std::span<const MessageRow> MessageTable() const override;
  std::span<const CommandRow> CommandTable() const override;

 private:
  INT_PTR OnPaint(WPARAM wParam, LPARAM lParam);
  INT_PTR OnSize(WPARAM wParam, LPARAM lParam);
  INT_PTR OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
  INT_PTR OnControlColour(WPARAM wParam, LPARAM lParam);
  void OnStartInstall(int id, int code, HWND control);
  void OnStartUninstall(int id, int code, HWND control);
  void Relay();
  // The desktop shortcut and the program group, in their order; a failed step is reported.
  void CreateShellEntries(const char* program, const char* readme, const char* readmeIcon, const char* installer,
                          const char* uninstallIcon);
  void ShowAs(const char* captionFormat, int command);

  HICON icon_ = nullptr;
  HBITMAP banner_ = nullptr;
};

#endif
