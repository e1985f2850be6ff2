// The board: the program's one main window with its 33 slots, run as a modal dialog.
#ifndef VARNEL_BOARD_BOARD_DIALOG_H
#define VARNEL_BOARD_BOARD_DIALOG_H

#include <windows.h>

#include "board/program_folder.h"
#include "projects/file_problem.h"
#include "state/board_state.h"
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
  INT_PTR OnDestroy(WPARAM wParam, LPARAM lParam);
  INT_PTR OnPaint(WPARAM wParam, LPARAM lParam);
  INT_PTR OnSetFocus(WPARAM wParam, LPARAM lParam);
  INT_PTR OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
  INT_PTR OnSize(WPARAM wParam, LPARAM lParam);
  INT_PTR OnTimeChange(WPARAM wParam, LPARAM lParam);
  INT_PTR OnContextMenu(WPARAM wParam, LPARAM lParam);
  INT_PTR OnQueryEndSession(WPARAM wParam, LPARAM lParam);
  INT_PTR OnEndSession(WPARAM wParam, LPARAM lParam);
  INT_PTR OnTrayNotify(WPARAM wParam, LPARAM lParam);

  void StartUp();
  void LoadCurrentProjectAtStart();
  // A project named at start-up that could not be loaded is told once the board shows.
  void NoteUnloadableAtStart(const char* path, const FileFailure& failure);
  static bool SampleNeverInstalled(const FileFailure& failure);
  INT_PTR OnStartUpReports(WPARAM wParam, LPARAM lParam);
  void ApplyFieldFont();
  // The user went back to the board from the question at closing: it takes input again.
  void ReopenAfterDeclinedClose();
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
  // The texts were saved, or given up by the user, when the session asked to end.
  bool savedForSessionEnd_ = false;
  ProgramFolderProblem folderProblem_ = ProgramFolderProblem::None;
  bool administratorNoticeDue_ = false;
  char unloadableAtStart_[kPathSize] = {};
  FileFailure unloadableFailure_;
};

// The installer started the program for its first run ("InstallingTheProgram").
bool StartedByInstaller();

// Caret to the start, scrolled into view, whole text selected; the field becomes current.
void SelectField(int field);

// Moves the board into or out of the topmost band without moving, sizing or activating it.
void PlaceBoardInBand(bool topmost);

#endif
