// Folder names from the registry and from Windows are trimmed before use: trimming only ever
// takes a tail of line ends, blanks and slashes, and takes all of it.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/property.h"
#include "installer/install_logic.h"

namespace {

void CheckTrim(const std::string& text, void (*trim)(char*), const char* removable) {
  std::unique_ptr<char[]> buffer(new char[text.size() + 1]);
  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  trim(buffer.get());
  const std::size_t length = std::strlen(buffer.get());
  Require(length <= text.size() && text.compare(0, length, buffer.get()) == 0, "trimming keeps a start of the text");
  Require(length == 0 || std::strchr(removable, buffer[length - 1]) == nullptr, "nothing removable is left at the end");
  Require(text.find_first_not_of(removable, length) == std::string::npos, "only removable characters go");
}

void CheckFolderEdits(const std::string& text, std::size_t size) {
  if (text.size() + 1 > size) size = text.size() + 1;
  std::unique_ptr<char[]> buffer(new char[size]);
  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  const bool appended = AppendTrailingBackslash(buffer.get(), size);
  const std::size_t length = std::strlen(buffer.get());
  const bool endedInBackslash = !text.empty() && text.back() == '\\';
  if (appended) {
    Require(length < size && buffer[length - 1] == '\\', "an appended folder ends in one backslash within its buffer");
    Require(length == text.size() + (endedInBackslash ? 0 : 1), "a backslash is added only where none was");
  } else {
    Require(!endedInBackslash && text.size() + 2 > size && text == buffer.get(), "only a full buffer refuses, unchanged");
  }

  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  CutAtLastBackslash(buffer.get());
  const std::size_t last = text.rfind('\\');
  Require(std::string(buffer.get()) == text.substr(0, last), "cutting ends the text before its last backslash");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t bufferSize = input.Byte();
  const std::string text = input.Piece();
  CheckTrim(text, TrimPathTail, "\n\r \\");
  CheckTrim(text, TrimPathTailAnySlash, "\n\r \\/");
  CheckFolderEdits(text, bufferSize);
  return 0;
}
