// The floors of the board's figures, measured in the driver's process (bench/README.md).
#include "bench/board_floor.h"

#include "bench/figures.h"
#include "desktop/field_font.h"
#include "resources/resource.h"
#include "tests/e2e/driver.h"

namespace {

constexpr int kSlots = 33;
constexpr DWORD kBareStartTimeoutMs = 60000;

// The copy only takes texts: the dialog manager's default handling is all it needs.
INT_PTR CALLBACK FloorDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

}  // namespace

BoardCopy::BoardCopy(const std::string& programPath) {
  program_ = LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (program_ == nullptr) return;
  // The program's manifest asks for version 6 of the common controls; so must its copy.
  ACTCTXA context = {};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = programPath.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);
  context_ = CreateActCtxA(&context);
  if (context_ != INVALID_HANDLE_VALUE) ActivateActCtx(context_, &cookie_);
  const double start = NowMs();
  dialog_ = CreateDialogParamA(program_, MAKEINTRESOURCEA(IDD_BOARD), nullptr, FloorDialogProc, 0);
  creationMs_ = NowMs() - start;
  if (dialog_ == nullptr) return;
  font_ = CreateFieldFont();
  SendDlgItemMessageA(dialog_, IDC_PROJECT_COMBO, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  for (int slot = 0; slot < kSlots; ++slot) {
    SendDlgItemMessageA(dialog_, IDC_FIRST_TEXT_FIELD + 2 * slot, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
}

BoardCopy::~BoardCopy() {
  if (dialog_ != nullptr) DestroyWindow(dialog_);
  if (font_ != nullptr) DeleteObject(font_);
  if (cookie_ != 0) DeactivateActCtx(0, cookie_);
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
  if (program_ != nullptr) FreeLibrary(program_);
}

double BoardCopy::SetTexts(const std::vector<std::string>& captions, const std::vector<std::string>& texts) {
  const double start = NowMs();
  for (int slot = 0; slot < kSlots; ++slot) {
    SendDlgItemMessageA(dialog_, IDC_FIRST_COPY_BUTTON + 2 * slot, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(captions[slot].c_str()));
  }
  for (int slot = 0; slot < kSlots; ++slot) {
    SendDlgItemMessageA(dialog_, IDC_FIRST_TEXT_FIELD + 2 * slot, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(texts[slot].c_str()));
  }
  return NowMs() - start;
}

double BoardCopy::AddToCombo(const std::vector<std::string>& names, bool* allAdded) {
  HWND combo = GetDlgItem(dialog_, IDC_PROJECT_COMBO);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  // Without WM_SETREDRAW the list box recomputes its scroll bar at every string, which costs
  // three times the adding itself: no careful program fills a long list that way.
  const double start = NowMs();
  SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
  for (const std::string& name : names) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  const double elapsed = NowMs() - start;
  *allAdded = SendMessageA(combo, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(names.size());
  return elapsed;
}

std::string BoardCopy::TextOf(int id) const { return e2e::WindowText(GetDlgItem(dialog_, id)); }

FileFloor TimeDurableWriteAndRead(const std::string& path, const std::string& bytes) {
  FileFloor floor;
  const std::string temporary = path + ".tmp";
  const DWORD size = static_cast<DWORD>(bytes.size());
  double start = NowMs();
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return floor;
  DWORD written = 0;
  const bool wrote = WriteFile(file, bytes.data(), size, &written, nullptr) && written == size;
  floor.writeMs = NowMs() - start;
  start = NowMs();
  const bool flushed = FlushFileBuffers(file) != 0;
  CloseHandle(file);
  floor.flushMs = NowMs() - start;
  start = NowMs();
  const bool moved =
      MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  floor.replaceMs = NowMs() - start;
  if (!wrote || !flushed || !moved) {
    floor.writeMs = -1.0;
    return floor;
  }
  start = NowMs();
  std::string back(size, '\0');
  file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD read = 0;
  const bool readAll = file != INVALID_HANDLE_VALUE && ReadFile(file, back.data(), size, &read, nullptr) && read == size;
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  floor.readMs = NowMs() - start;
  if (!readAll || back != bytes) floor.writeMs = -1.0;
  return floor;
}

std::vector<std::string> ProjectNamesOf(const std::string& folder, int count) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.vrl").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (static_cast<int>(names.size()) < count && FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

double TimeBareProgramStart(const std::string& folder, const std::string& name) {
  const std::string program = folder + name;
  if (!e2e::FileExists(program)) CopyFileA((FolderOfThisProgram() + name).c_str(), program.c_str(), FALSE);
  const double start = NowMs();
  e2e::Process process = e2e::Start(program, "", folder);
  if (process.handle == nullptr) return -1.0;
  double shown = -1.0;
  HWND window = nullptr;
  while (shown < 0 && NowMs() - start < kBareStartTimeoutMs && !e2e::WaitForExit(process, 0)) {
    for (HWND candidate : e2e::TopLevelWindowsOf(process.id)) {
      if (IsWindowVisible(candidate)) {
        shown = NowMs() - start;
        window = candidate;
      }
    }
    if (shown < 0) Sleep(1);
  }
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  if (!e2e::WaitForExit(process, 10000)) e2e::Kill(process);
  return shown;
}
