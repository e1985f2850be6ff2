// The board: the program's one main window with its 33 slots, run as a modal dialog.
#ifndef VARNEL_BOARD_BOARD_DIALOG_H
#define VARNEL_BOARD_BOARD_DIALOG_H

#include <windows.h>

#include "state/stacked_dialog.h"

class BoardDialog : public StackedDialog<BoardDialog> {
 public:
  BoardDialog();

  bool PreTranslateMessage(MSG* msg) override;
  // The cancel handler: the board ends only once closing has begun.
  void OnCancel() override;

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(WPARAM wParam, LPARAM lParam) override;
  std::span<const MessageRow> MessageTable() const override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnClose(WPARAM wParam, LPARAM lParam);
  void ReopenAfterClose();
  INT_PTR OnDestroy(WPARAM wParam, LPARAM lParam);
  INT_PTR OnPaint(WPARAM wParam, LPARAM lParam);
  INT_PTR OnSetFocus(WPARAM wParam, LPARAM lParam);
  INT_PTR OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
  INT_PTR OnSize(WPARAM wParam, LPARAM lParam);
  INT_PTR OnTimeChange(WPARAM wParam, LPARAM lParam);
  INT_PTR OnContextMenu(WPARAM wParam, LPARAM lParam);
  INT_PTR OnEndSession(WPARAM wParam, LPARAM lParam);
  INT_PTR OnTrayNotify(WPARAM wParam, LPARAM lParam);

  void StartUp();
  void LoadProgramFolder();
  void LoadCurrentProjectAtStart();
  void ApplyFieldFont();
  // Start-up and commands run while other messages are dispatched (message boxes, prompts,
  // waits). A close that arrives then waits until they have finished.
  void BeginWork() { ++workDepth_; }
  void EndWork();
  void RunPendingClose();
  // Commands running, counting those that run inside another's message box or prompt.
  int WorkDepth() const { return workDepth_; }

  int workDepth_ = 0;
  bool startingUp_ = false;
  bool closePending_ = false;
  bool closing_ = false;
  // BoardSlotSaves() when a save at closing last failed and the board stayed open so that the
  // user could save elsewhere; -1 before any such failure.
  int slotSavesAtFailedClose_ = -1;
};

// The installer started the program for its first run ("InstallingTheProgram").
bool StartedByInstaller();

// Caret to the start, scrolled into view, whole text selected; the field becomes current.
void SelectField(int field);

// Moves the board into or out of the topmost band without moving, sizing or activating it.
void PlaceBoardInBand(bool topmost);

#endif
