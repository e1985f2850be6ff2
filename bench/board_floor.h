// The floors: what the platform itself takes for the work the board does, measured in the
// driver's own process under the same Wine, so that each figure of the board can be read as a
// ratio to its floor (bench/README.md).
#ifndef VARNEL_BENCH_BOARD_FLOOR_H
#define VARNEL_BENCH_BOARD_FLOOR_H

#include <windows.h>

#include <string>
#include <vector>

// A hidden copy of the board's own window: its dialog template loaded from the program file,
// created under the program's manifest (so its buttons and fields are the same common controls),
// with the field font on the fields and the combo box as the board sets it. Nothing is drawn.
class BoardCopy {
 public:
  explicit BoardCopy(const std::string& programPath);
  ~BoardCopy();
  BoardCopy(const BoardCopy&) = delete;
  BoardCopy& operator=(const BoardCopy&) = delete;

  bool Ready() const { return dialog_ != nullptr; }
  // Milliseconds the dialog's creation took, controls and menu included.
  double CreationMs() const { return creationMs_; }

  // 33 captions into the copy buttons and 33 texts into the text fields, WM_SETTEXT each.
  double SetTexts(const std::vector<std::string>& captions, const std::vector<std::string>& texts);
  // Empties combo box 1003 and adds names, one CB_ADDSTRING each between WM_SETREDRAW off and
  // on; allAdded is false when a name went missing.
  double AddToCombo(const std::vector<std::string>& names, bool* allAdded);
  std::string TextOf(int id) const;

 private:
  HMODULE program_ = nullptr;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  HFONT font_ = nullptr;
  HWND dialog_ = nullptr;
  double creationMs_ = -1.0;
};

// One save as a careful program makes it: a temporary file beside the target, written whole,
// flushed to the disk, then moved over the target; and one read of the target.
struct FileFloor {
  double writeMs = -1.0;
  double flushMs = -1.0;
  double replaceMs = -1.0;
  double readMs = -1.0;
  double Total() const { return writeMs + flushMs + replaceMs + readMs; }
};
FileFloor TimeDurableWriteAndRead(const std::string& path, const std::string& bytes);

// The first count files of folder matching *.vrl, in the order the folder gives them.
std::vector<std::string> ProjectNamesOf(const std::string& folder, int count);

// Process start until the first visible window of a bare program beside this driver
// (bench_bare_window.exe, or bench_bare_window_v6.exe with the board's manifest), started from
// a copy in folder; -1 when it showed none.
double TimeBareProgramStart(const std::string& folder, const std::string& name);

#endif
