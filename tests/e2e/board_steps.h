// Steps that the saving and start-up suites share: another program holding a project file,
// choosing a project the way the combo box reports it, waiting until the board has finished what
// it was doing, and closing while watching for a question that must not come.
#ifndef VARNEL_TESTS_E2E_BOARD_STEPS_H
#define VARNEL_TESTS_E2E_BOARD_STEPS_H

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

namespace e2e {

constexpr const char* kNewTitle = "Name of New Varnel Project";
constexpr const char* kSaveAsTitle = "Save Current Varnel Project As";

// Another program that has a file open without sharing it: nothing else can open, replace or
// delete it until it is released.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// A file's bytes told briefly, for messages: a project by its first slot.
inline std::string Brief(const std::string& bytes) {
  if (bytes.empty()) return "no bytes";
  if (bytes == std::string(kProjectBytes, '\0')) return "an empty project";
  std::string brief = std::to_string(bytes.size()) + " bytes";
  if (bytes.size() >= kProjectBytes) brief += " starting \"" + NameInFile(bytes, 0) + "\", \"" + TextInFile(bytes, 0) + "\"";
  return brief;
}

inline ::testing::AssertionResult Holds(const std::string& path, const std::string& expected) {
  const std::string bytes = ReadWholeFile(path);
  if (bytes == expected) return ::testing::AssertionSuccess();
  if (bytes.size() == kProjectBytes && expected.size() == kProjectBytes) {
    for (int slot = 0; slot < 33; ++slot) {
      if (NameInFile(bytes, slot) != NameInFile(expected, slot)) {
        return ::testing::AssertionFailure() << path << ": slot " << slot << " is named \"" << NameInFile(bytes, slot)
                                             << "\" instead of \"" << NameInFile(expected, slot) << "\"";
      }
      if (TextInFile(bytes, slot) != TextInFile(expected, slot)) {
        return ::testing::AssertionFailure() << path << ": slot " << slot << " holds \"" << TextInFile(bytes, slot)
                                             << "\" instead of \"" << TextInFile(expected, slot) << "\"";
      }
    }
  }
  return ::testing::AssertionFailure() << path << " holds " << Brief(bytes) << " instead of " << Brief(expected);
}

inline std::string SlotTextInFile(const std::string& path, int slot) {
  const std::string bytes = ReadWholeFile(path);
  return bytes.size() >= kProjectBytes ? TextInFile(bytes, slot) : "<" + Brief(bytes) + ">";
}

// Every entry of the folder but the program, by name: a file by its size and a hash of its
// bytes, a folder as "<folder>".
inline std::map<std::string, std::string> FolderContents(const std::string& folder) {
  std::map<std::string, std::string> contents;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return contents;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == ".." || name == "QUILLOW.EXE") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      contents[name] = "<folder>";
      continue;
    }
    const std::string bytes = ReadWholeFile(folder + name);
    unsigned long long hash = 14695981039346656037ULL;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ULL;
    contents[name] = std::to_string(bytes.size()) + " bytes #" + std::to_string(hash);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return contents;
}

inline std::string ButtonText(const BoardSession& session, int slot) {
  return WindowText(session.Item(1070 + 2 * slot));
}
inline std::string FieldText(const BoardSession& session, int slot) { return WindowText(session.Item(1071 + 2 * slot)); }

inline bool AllSlotsEmpty(const BoardSession& session) {
  for (int i = 0; i < 33; ++i) {
    if (!ButtonText(session, i).empty() || !FieldText(session, i).empty()) return false;
  }
  return true;
}

inline bool ShowsTaggedProject(const BoardSession& session, const std::string& tag) {
  for (int i = 0; i < 33; ++i) {
    if (ButtonText(session, i) != tag + " button " + std::to_string(i) ||
        FieldText(session, i) != tag + " text " + std::to_string(i) + "\r\nsecond line") {
      return false;
    }
  }
  return true;
}

inline void SetText(HWND control, const std::string& text) {
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline std::string Caption(const BoardSession& session) { return WindowText(session.Board()); }
inline std::string ComboText(const BoardSession& session) { return WindowText(session.Item(1003)); }

// Another process's combo box may not find an ANSI string that it holds as wide text, or the
// reverse: either answer counts.
inline bool Listed(const BoardSession& session, const std::string& name) {
  HWND combo = session.Item(1003);
  if (SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str())) !=
      CB_ERR) {
    return true;
  }
  const std::wstring wide(name.begin(), name.end());
  return SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())) !=
         CB_ERR;
}

// Selects the entry and reports the change as the combo box does when a user picks it. Posted:
// the board may answer with a message box, which would hold a sent message.
inline bool ChooseProject(const BoardSession& session, const std::string& name) {
  HWND combo = session.Item(1003);
  const LRESULT entry =
      SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
  if (entry == CB_ERR) return false;
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  return PostMessageA(session.Board(), WM_COMMAND, MAKEWPARAM(1003, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo)) !=
         FALSE;
}

inline void PostCommand(const BoardSession& session, UINT command) {
  PostMessageA(session.Board(), WM_COMMAND, command, 0);
}

// A sent message is handled only once the board takes messages again, so its answer means that
// the command before it has run to its end or reached a box that waits for the user. The board
// may also take it while a closing box hands the activation back, before the command goes on:
// a second one is handled only after that.
inline bool WaitForBoardIdle(const BoardSession& session) {
  for (int round = 0; round < 2; ++round) {
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(session.Board(), WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored) == 0) return false;
  }
  return true;
}

// Starts Reposition mode through its command and confirmation; true once the first marker shows.
inline bool StartRepositionMode(BoardSession& session) {
  PostCommand(session, 32779);
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  if (box == nullptr || !AnswerMessageBox(box, "OK")) return false;
  return WaitUntil([&] { return !IsWindow(box) && IsWindowVisible(session.Item(1004)); }, 5000);
}

inline bool Ended(BoardSession& session) { return WaitForExit(session.Program(), 0); }

// True while the program neither ends nor hides or disables its board for the given time.
inline bool StaysOpen(BoardSession& session, DWORD milliseconds) {
  return !WaitUntil([&] { return Ended(session) || !IsWindowVisible(session.Board()) || !IsWindowEnabled(session.Board()); },
                    milliseconds);
}

// A message box of the program with this caption that is not `other`, or null.
inline HWND WaitForAnotherMessageBox(BoardSession& session, HWND other, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(session.Program().id)) {
          if (window != other && IsWindowVisible(window) && ClassName(window) == "#32770" &&
              WindowText(window) == "Varnel") {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

// Expects the message box with this text and presses OK.
inline bool ConfirmBox(BoardSession& session, const std::string& text, DWORD timeoutMs = 10000) {
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", timeoutMs);
  if (box == nullptr) {
    ADD_FAILURE() << "no message box \"" << text << "\"";
    return false;
  }
  EXPECT_EQ(MessageBoxText(box), text);
  return AnswerMessageBox(box, "OK") && WaitUntil([&] { return !IsWindow(box); }, 5000);
}

// Pastes as a user does: the clipboard holding the text as a Unicode program leaves it, the
// edit's whole content selected, then a real Ctrl+V. True once the edit's text has changed.
inline bool PasteInto(HWND edit, const std::string& utf8) {
  if (!SetClipboardUnicode(utf8) || !Activate(GetAncestor(edit, GA_ROOT)) || !ClickInto(edit)) return false;
  const std::string before = WindowTextUtf8(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  PressKey('V', {VK_CONTROL});
  return WaitUntil([&] { return WindowTextUtf8(edit) != before; }, 5000);
}

// The causes that the board adds under "Error saving:" and under a project it cannot load.
constexpr const char* kInUse = "The file is in use by another program.";
constexpr const char* kReadOnly = "The file or its disk is read-only.";
constexpr const char* kNotFound = "The file, its folder or its drive cannot be found.";
constexpr const char* kTooShort = "The file is too short to be a project.";
constexpr const char* kTooLong = "The file is too long to be a project.";
constexpr const char* kNotAFile = "The name belongs to a folder, not a file.";

inline std::string ErrorSaving(const std::string& path, const char* cause = kInUse) {
  return "Error saving:\n" + path + "\n" + cause;
}
inline std::string CannotLoad(const std::string& path, const char* cause) {
  return "This project cannot be loaded:\n" + path + "\n" + cause;
}

// What the board says at start-up when Configure\ThisProgramDir cannot be used ("is missing",
// "names no folder", "is too long") and it keeps projects in its own folder instead.
inline std::string ProgramFolderNotice(const std::string& what, const std::string& ownFolder) {
  return "The program folder in the registry (Configure\\ThisProgramDir) " + what +
         ". Projects are kept in the program's own folder instead:\n" + ownFolder;
}

// The question put when the texts could not be saved before the program ends.
constexpr const char* kUnsavedTexts =
    "The board's texts are not saved in any file. Choose Yes to save them under another name or in "
    "another folder, No to close without saving them, or Cancel to go back to the board.";

// Expects that question and answers it with the button ("Yes", "No" or "Cancel").
// A screenshot name keeps a picture of the question.
inline bool AnswerUnsavedTexts(BoardSession& session, const std::string& button, const char* screenshot = nullptr) {
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  if (box == nullptr) {
    ADD_FAILURE() << "the board did not ask what to do with its unsaved texts";
    return false;
  }
  if (screenshot != nullptr && WaitUntilSettled(box)) Screenshot(screenshot);
  EXPECT_EQ(MessageBoxText(box), kUnsavedTexts);
  return AnswerMessageBox(box, button) && WaitUntil([&] { return !IsWindow(box); }, 5000);
}

inline HWND WaitForPrompt(BoardSession& session, const char* title) {
  return WaitForWindowByCaption(session.Program().id, title, 10000);
}

// Replaces the proposed name by typing, then applies it with Return.
inline bool TypeName(HWND prompt, const std::string& name) {
  HWND edit = GetDlgItem(prompt, 1170);
  if (!Activate(prompt) || !WaitForFocus(edit)) return false;
  SendMessageA(edit, EM_SETSEL, 0, -1);
  TypeText(name);
  if (!WaitUntil([&] { return WindowText(edit) == name; }, 3000)) return false;
  PressKey(VK_RETURN);
  return true;
}

// Closes the board through its close box and waits for the program to end, cancelling the name
// prompt should one come and then closing without saving; true when the prompt came.
inline bool CloseWasAsked(BoardSession& session, DWORD timeoutMs = 15000) {
  bool asked = false;
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  const bool ended = WaitUntil(
      [&] {
        if (Ended(session)) return true;
        HWND prompt = FindWindowByCaption(session.Program().id, kSaveAsTitle);
        if (prompt != nullptr) {
          asked = true;
          PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
        }
        HWND box = FindMessageBoxStartingWith(session.Program().id, kUnsavedTexts);
        if (box != nullptr) AnswerMessageBox(box, "No");
        return false;
      },
      timeoutMs);
  EXPECT_TRUE(ended) << "the board did not end";
  return asked;
}

// A board on a folder of tagged projects, with one of them current.
inline bool StartWithProjects(BoardSession& session, std::initializer_list<const char*> tags, const char* current) {
  for (const char* tag : tags) {
    if (!WriteWholeFile(session.Folder() + tag + ".vrl", TaggedProject(tag))) return false;
  }
  SetSetting("Files", "Current", session.Folder() + current + ".vrl");
  SetSetting("Options", "UseSystemTray", "0");
  return session.Start();
}

// Runs a dialog's opening and closing (which answers whether it went as expected) a few times to
// settle, then 40 times more: the board's committed memory may not grow by 128 KB over those.
// Wine's edit controls keep memory for the text they still hold when they are destroyed. Such a
// leak grows at every opening, while the heap now and then grows once by itself under load, so
// 40 openings that grew are measured once more before they count.
inline ::testing::AssertionResult OpeningsKeepNoMemory(BoardSession& session, const std::function<bool()>& openAndClose) {
  for (int opening = 0; opening < 3; ++opening) {
    if (!openAndClose()) return ::testing::AssertionFailure() << "settling opening " << opening << " failed";
  }
  std::string growths;
  for (int round = 0; round < 2; ++round) {
    const long long before = CommittedPrivateBytes(session.Program().handle);
    for (int opening = 0; opening < 40; ++opening) {
      if (!openAndClose()) return ::testing::AssertionFailure() << "opening " << opening << " failed";
    }
    const long long after = CommittedPrivateBytes(session.Program().handle);
    if (before > 0 && after - before < 128 * 1024) return ::testing::AssertionSuccess();
    growths += " from " + std::to_string(before) + " to " + std::to_string(after) + " bytes;";
  }
  return ::testing::AssertionFailure() << "the board's memory grew over 40 openings twice:" << growths;
}

}  // namespace e2e

#endif
