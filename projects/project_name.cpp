// Building a project file's path from a typed name.
#include "projects/project_name.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kProjectExtension[] = ".vrl";
constexpr std::size_t kMaxCharactersExamined = 260;

bool IsDroppedCharacter(unsigned char c) {
  switch (c) {
    case 0x0A: case 0x0D: case '"': case '#': case '%': case '\'': case '(': case ')': case '*':
    case '+': case ',': case '/': case ':': case ';': case '<': case '=': case '>': case '?':
    case '[': case '\\': case ']': case '^': case '`': case '{': case '|': case '}': case '~':
      return true;
    default:
      return false;
  }
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

bool EqualsIgnoringCase(const char* text, const char* upperWord) {
  for (; *text != '\0' && *upperWord != '\0'; ++text, ++upperWord) {
    if (UpperAscii(*text) != *upperWord) {
      return false;
    }
  }
  return *text == *upperWord;
}

// Windows opens the device instead of a file for these names, whatever folder or extension
// comes with them.
bool IsDeviceName(const char* name) {
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : kDevices) {
    if (EqualsIgnoringCase(name, device)) {
      return true;
    }
  }
  if (std::strlen(name) == 4 && name[3] >= '1' && name[3] <= '9') {
    const char stem[] = {UpperAscii(name[0]), UpperAscii(name[1]), UpperAscii(name[2]), '\0'};
    return std::strcmp(stem, "COM") == 0 || std::strcmp(stem, "LPT") == 0;
  }
  return false;
}

// Returns the length of the kept name written to kept, which has room for kPathBufferSize bytes.
std::size_t KeepUsableCharacters(const char* typed, char* kept) {
  std::size_t typedLength = 0;
  while (typedLength < kPathBufferSize - 1 && typed[typedLength] != '\0' && typed[typedLength] != '.') {
    ++typedLength;
  }
  const std::size_t examined = typedLength < kMaxCharactersExamined ? typedLength : kMaxCharactersExamined;
  std::size_t keptLength = 0;
  for (std::size_t i = 0; i < examined; ++i) {
    const unsigned char c = static_cast<unsigned char>(typed[i]);
    // The look-ahead is at the typed name, so a space before a dropped character survives.
    if (c == ' ' && (i + 1 == typedLength || typed[i + 1] == ' ')) {
      continue;
    }
    if (IsDroppedCharacter(c)) {
      continue;
    }
    kept[keptLength++] = static_cast<char>(c);
  }
  kept[keptLength] = '\0';
  return keptLength;
}

}  // namespace

int BuildProjectPath(char* nameBuffer, const char* programFolder) {
  if (nameBuffer == nullptr || programFolder == nullptr) {
    return 0;
  }
  char kept[kPathBufferSize];
  const std::size_t keptLength = KeepUsableCharacters(nameBuffer, kept);
  if (keptLength == 0 || IsDeviceName(kept)) {
    return 0;
  }
  const std::size_t pathLength = std::strlen(programFolder) + keptLength + sizeof kProjectExtension - 1;
  if (pathLength > kPathBufferSize - 1) {
    return 0;
  }
  const int written = std::snprintf(nameBuffer, kPathBufferSize, "%s%s%s", programFolder, kept, kProjectExtension);
  return written == static_cast<int>(pathLength) ? 1 : 0;
}
