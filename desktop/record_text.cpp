// The conversion to the project record and the warning before a save would change a text.
#include "desktop/record_text.h"

#include "desktop/program_name.h"
#include "framework/dialog.h"
#include "state/board_state.h"

namespace {

// How the system converts to the record's code page. Where that is UTF-8 (an option of newer
// Windows) every character is stored, and the conversion refuses the flags that report substitutes.
struct RecordCodePage {
  DWORD flags;
  bool reportsDefault;
};

RecordCodePage CodePageRules() {
  const bool reports = CodePageReportsSubstitutes(GetACP());
  return {reports ? static_cast<DWORD>(WC_NO_BEST_FIT_CHARS) : 0u, reports};
}

int BytesFor(const RecordCodePage& rules, const wchar_t* text, int length, char* buffer, int size, BOOL* usedDefault) {
  return WideCharToMultiByte(CP_ACP, rules.flags, text, length, buffer, size, nullptr,
                             rules.reportsDefault ? usedDefault : nullptr);
}

bool IsLeadSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The most characters from the start of text whose bytes fit into room, never half a pair.
int FittingLength(const RecordCodePage& rules, const wchar_t* text, int length, int room) {
  int low = 0;
  int high = length;
  while (low < high) {
    const int middle = low + (high - low + 1) / 2;
    if (BytesFor(rules, text, middle, nullptr, 0, nullptr) <= room) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  if (low > 0 && low < length && IsLeadSurrogate(text[low - 1])) --low;
  return low;
}

// Copies text when every character is ASCII; false, with buffer unspecified, at the first that
// is not.
bool CopiedAsAscii(const wchar_t* text, int length, char* buffer) {
  for (int i = 0; i < length; ++i) {
    if (text[i] >= 0x80) return false;
    buffer[i] = static_cast<char>(text[i]);
  }
  buffer[length] = '\0';
  return true;
}

}  // namespace

FieldFit ToRecordText(const wchar_t* text, int length, char* buffer, int size) {
  FieldFit fit;
  if (buffer == nullptr || size <= 0) return fit;
  buffer[0] = '\0';
  if (text == nullptr || length <= 0) return fit;
  // Plain ASCII is the same in every ANSI code page: most texts are copied without asking the
  // system, which keeps a project switch as quick as before.
  if (length < size && CopiedAsAscii(text, length, buffer)) return fit;
  const RecordCodePage rules = CodePageRules();
  BOOL usedDefault = FALSE;
  // Nearly every text fits: one call converts it, and only a text that does not is measured.
  int written = BytesFor(rules, text, length, buffer, size - 1, &usedDefault);
  if (written == 0 && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    // The system could not convert it at all: nothing of it would be stored.
    fit.changed = true;
    return fit;
  }
  if (written == 0) {
    fit.cut = true;
    const int kept = FittingLength(rules, text, length, size - 1);
    BytesFor(rules, text, length, nullptr, 0, &usedDefault);
    written = kept > 0 ? BytesFor(rules, text, kept, buffer, size - 1, nullptr) : 0;
  }
  buffer[written] = '\0';
  fit.changed = usedDefault != FALSE;
  return fit;
}

std::wstring AsRecordWouldStore(const std::wstring& text, int size, FieldFit* fit) {
  std::string stored(static_cast<std::size_t>(size), '\0');
  const FieldFit result = ToRecordText(text.c_str(), static_cast<int>(text.size()), stored.data(), size);
  if (fit != nullptr) *fit = result;
  if (WrittenUnchanged(result)) return text;
  std::wstring shown(static_cast<std::size_t>(size), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, stored.c_str(), -1, shown.data(), size);
  shown.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return shown;
}

std::string Utf8Of(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

std::vector<std::string> BoardButtonNames() {
  std::vector<std::string> names;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    names.push_back(Utf8Of(fw::WindowTextWide(GetDlgItem(BoardHandle, CopyButtonOfSlot(slot)))));
  }
  return names;
}

namespace {

std::wstring WideOfUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), length, nullptr, 0);
  std::wstring wide(count > 0 ? static_cast<std::size_t>(count) : 0, L'\0');
  if (count > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), length, wide.data(), count);
  return wide;
}

}  // namespace

bool UserAcceptsRecordLosses(HWND owner, std::span<const SlotFit> fits) {
  if (AffectedSlots(fits).empty()) return true;
  return UserAcceptsRecordLosses(owner, fits, BoardButtonNames());
}

bool UserAcceptsRecordLosses(HWND owner, std::span<const SlotFit> fits, std::span<const std::string> names) {
  const std::vector<int> affected = AffectedSlots(fits);
  if (affected.empty() || SessionEnding == 1) return true;
  const std::wstring question = WideOfUtf8(SaveAnywayQuestion(affected, names, fits));
  const std::wstring caption = WideOfUtf8(kProgramName);
  return MessageBoxW(owner, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}
