// Building a project file's path from a typed name.
#include "projects/project_name.h"

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"

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

// Windows opens the device instead of a file for these names, whatever folder or extension
// comes with them, and also when spaces follow the name ("CON .vrl"). The superscript digits are
// those of the Windows-1252 code page.
bool IsDeviceName(const char* name) {
  char stem[kPathBufferSize];
  std::size_t length = 0;
  for (; name[length] != '\0' && length < sizeof stem - 1; ++length) stem[length] = name[length];
  while (length > 0 && stem[length - 1] == ' ') --length;
  stem[length] = '\0';

  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (EqualIgnoringCase(stem, device)) {
      return true;
    }
  }
  if (length != 4) {
    return false;
  }
  const unsigned char digit = static_cast<unsigned char>(stem[3]);
  const bool portDigit = (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  stem[3] = '\0';
  return portDigit && (EqualIgnoringCase(stem, "COM") || EqualIgnoringCase(stem, "LPT"));
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

bool IsRootedPath(const char* path) {
  if (path == nullptr) {
    return false;
  }
  const unsigned char drive = static_cast<unsigned char>(path[0]);
  const bool isLetter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  return (isLetter && path[1] == ':' && path[2] == '\\') || path[0] == '\\';
}
