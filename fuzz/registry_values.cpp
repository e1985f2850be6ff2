// What the programs make of values read from the settings store, which anyone may edit: numbers
// (the options), and texts cut to the buffers of the program folder and the current project,
// which is loaded only when rooted and saved through a temporary beside it. Turning forward slashes into backslashes and adding the
// folder's closing backslash happen in the Win32 files that read the values, not here. Under a
// double-byte code page the cut keeps whole characters only.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "desktop/bounded_copy.h"
#include "desktop/code_page.h"
#include "desktop/settings_keys.h"
#include "fuzz/property.h"
#include "projects/page_file.h"
#include "projects/project_name.h"

namespace {

// Longer values count as missing, and the text read is terminated one byte beyond this.
constexpr std::size_t kValueLimit = 260;
// RegReadInt reads the text into a buffer of this size.
constexpr std::size_t kIntTextSize = 128;

// The number a person reads in text: blanks, a sign, digits; clamped to int.
int ExpectedNumber(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  const bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  long long magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = std::min(magnitude * 10 + (*text - '0'), 1LL << 40);
  }
  if (negative) return magnitude > -static_cast<long long>(INT_MIN) ? INT_MIN : static_cast<int>(-magnitude);
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

// Copies value as RegReadString does into a buffer of exactly size bytes.
void CheckCopiedInto(const char* value, std::size_t size) {
  std::unique_ptr<char[]> output(new char[size]);
  CopyBounded(output.get(), value, size);
  const std::size_t length = std::strlen(output.get());
  Require(length == std::min(std::strlen(value), size - 1), "the copy keeps as much as fits");
  Require(std::memcmp(output.get(), value, length) == 0, "the copy is the value's start");

  const unsigned char first = static_cast<unsigned char>(output[0]);
  const bool driveLetter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  const bool rooted = (driveLetter && output[1] == ':' && output[2] == '\\') || output[0] == '\\';
  Require(IsRootedPath(output.get()) == rooted, "rooted means a drive, colon and backslash, or a leading backslash");
}

// Copies value under a double-byte code page into a buffer of exactly size bytes: the copy is the
// value's longest start of whole characters that leaves room for the NUL.
void CheckCutAtCharacters(const char* value, std::size_t size, const LeadBytes& leadBytes) {
  std::size_t whole = 0;
  for (std::size_t i = 0; value[i] != '\0';) {
    const std::size_t length = leadBytes.IsLead(static_cast<unsigned char>(value[i])) && value[i + 1] != '\0' ? 2 : 1;
    if (i + length > size - 1) break;
    i += length;
    whole = i;
  }
  std::unique_ptr<char[]> output(new char[size]);
  CopyBounded(output.get(), value, size, leadBytes);
  Require(std::strlen(output.get()) == whole, "the cut keeps every whole character that fits");
  Require(std::memcmp(output.get(), value, whole) == 0, "the cut copy is the value's start");
}

// The current project is saved through a temporary file: the same path with its file name's
// extension, if any, changed to .~vr, never longer than a path buffer.
void CheckTemporaryPath(const char* path) {
  const std::string given(path);
  const std::size_t separator = given.find_last_of("\\/");
  const std::size_t fileName = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = given.rfind('.');
  const std::size_t stemLength = dot != std::string::npos && dot >= fileName ? dot : given.size();
  const std::string expected = given.substr(0, stemLength) + ".~vr";

  char temporary[kPathBufferSize];
  const int made = TemporaryPathFor(path, temporary, sizeof temporary);
  Require(made == (expected.size() < kPathBufferSize ? 1 : 0), "a temporary path is made exactly when it fits");
  Require(temporary == (made == 1 ? expected : std::string()), "the file name's extension becomes .~vr");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kValueLimit) return 0;
  char text[kValueLimit + 1];
  if (size > 0) std::memcpy(text, data, size);
  text[size] = '\0';

  char intText[kIntTextSize];
  CopyBounded(intText, text, sizeof intText);
  const int number = ParseSignedDecimal(intText);
  Require(number == ExpectedNumber(intText), "a stored number reads as written, clamped to int");

  char formatted[16];
  const int formattedLength = FormatInt(formatted, sizeof formatted, number);
  Require(formattedLength > 0 && formattedLength < static_cast<int>(sizeof formatted), "every int fits its text");
  Require(ParseSignedDecimal(formatted) == number, "a written number reads back the same");

  static const unsigned char kShiftJis[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  static const unsigned char kGbk[] = {0x81, 0xFE, 0, 0};
  for (const LeadBytes& leadBytes : {LeadBytes::FromRanges(kShiftJis, sizeof kShiftJis), LeadBytes::FromRanges(kGbk, sizeof kGbk)}) {
    // A button's name, the input box's answer and a path, and the smallest buffers.
    for (std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{32}, kPathBufferSize}) {
      CheckCutAtCharacters(text, size, leadBytes);
    }
  }
  CheckCopiedInto(text, static_cast<std::size_t>(kProgramDirMaxLength) + 1);
  CheckCopiedInto(text, kPathBufferSize);

  char current[kPathBufferSize];
  CopyBounded(current, text, sizeof current);
  CheckTemporaryPath(current);
  return 0;
}
