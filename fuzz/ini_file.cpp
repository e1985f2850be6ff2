// An old settings file left by an earlier version is read line by line into the settings store;
// whatever it holds, every part handed on ends within its buffer and is what the line says.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz/property.h"
#include "installer/install_logic.h"

namespace {

// The buffers of the installer's import.
constexpr std::size_t kPieceSize = 259;

std::string Cut(const std::string& text, std::size_t size) { return text.substr(0, size - 1); }

bool EndsWithin(const char* buffer) { return std::memchr(buffer, '\0', kPieceSize) != nullptr; }

// What one piece must give, worked out from the piece alone and the section before it.
void CheckPiece(const std::string& piece, const std::string& sectionBefore, IniLineResult::Kind kind,
                const char* section, const char* name, const char* data) {
  const std::string line = piece.substr(0, piece.find_first_of("\r\n"));
  Require(EndsWithin(section), "the section ends within its buffer");
  if (!line.empty() && line[0] == '[') {
    const std::size_t close = line.rfind(']');
    Require(kind == IniLineResult::kSection, "a bracket starts a section");
    Require(section == Cut(line.substr(1, close == std::string::npos ? std::string::npos : close - 1), kPieceSize),
            "the section is the text inside the brackets");
    return;
  }
  Require(section == sectionBefore, "only a section line changes the section");
  if (line.empty() || line[0] == ';' || sectionBefore.empty()) {
    Require(kind == IniLineResult::kSkip, "blank lines, comments and values before any section are skipped");
    return;
  }
  Require(kind == IniLineResult::kValue, "any other line in a section is a value");
  Require(EndsWithin(name) && EndsWithin(data), "name and data end within their buffers");
  const std::size_t equals = line.find('=');
  Require(name == Cut(line.substr(0, equals), kPieceSize), "the name is the text before the first equals sign");
  Require(data == Cut(equals == std::string::npos ? std::string() : line.substr(equals + 1), kPieceSize),
          "the data is the text after it");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
  Require(file != nullptr, "the input opens as a file");
  char line[kPieceSize];
  char section[kPieceSize] = {};
  char name[kPieceSize];
  char value[kPieceSize];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    const std::string piece(line, std::strlen(line));
    const std::string sectionBefore(section);
    const IniLineResult::Kind kind = ParseIniLine(line, section, sizeof section, name, sizeof name, value, sizeof value);
    CheckPiece(piece, sectionBefore, kind, section, name, value);
  }
  std::fclose(file);
  return 0;
}
