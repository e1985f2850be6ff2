// A typed project name becomes a path: on success it fits its buffer, starts with the program's
// folder, ends in .vrl and names no device; on refusal the buffer is left as it was.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "desktop/bounded_copy.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/property.h"
#include "projects/project_name.h"

namespace {

constexpr char kDropped[] = "\n\r\"#%'()*+,/:;<=>?[\\]^`{|}~";
constexpr char kExtension[] = ".vrl";

bool IsDropped(char c) { return c != '\0' && std::strchr(kDropped, c) != nullptr; }

// The device names as a user would list them, compared after trailing spaces go.
bool NamesDevice(std::string name) {
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualIgnoringCase(name.c_str(), device)) return true;
  }
  if (name.size() != 4) return false;
  const unsigned char digit = static_cast<unsigned char>(name[3]);
  const bool port = (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  const std::string stem = name.substr(0, 3);
  return port && (EqualIgnoringCase(stem.c_str(), "COM") || EqualIgnoringCase(stem.c_str(), "LPT"));
}

// True when every character of part occurs in whole in the same order.
bool IsSubsequence(const std::string& part, const std::string& whole) {
  std::size_t at = 0;
  for (char c : whole) {
    if (at < part.size() && part[at] == c) ++at;
  }
  return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  std::string folder = input.Piece();
  if (folder.size() > kPathBufferSize - 1) folder.resize(kPathBufferSize - 1);
  const std::string typedBytes = input.Rest();

  // The name arrives in the path buffer, as the edit control leaves it: at most 255 characters.
  std::unique_ptr<char[]> buffer(new char[kPathBufferSize]());
  std::memcpy(buffer.get(), typedBytes.data(), std::min(typedBytes.size(), kPathBufferSize - 1));
  const std::string before(buffer.get(), kPathBufferSize);
  std::string typed(buffer.get());
  typed = typed.substr(0, typed.find('.'));

  const int built = BuildProjectPath(buffer.get(), folder.c_str());
  Require(built == 0 || built == 1, "the result is 0 or 1");
  if (built == 0) {
    Require(std::memcmp(buffer.get(), before.data(), kPathBufferSize) == 0, "a refused name leaves the buffer alone");
    std::string letters;
    for (char c : typed) {
      if (c != ' ' && !IsDropped(c)) letters.push_back(c);
    }
    const bool fits = folder.size() + typed.size() + sizeof kExtension - 1 <= kPathBufferSize - 1;
    Require(letters.empty() || !fits || NamesDevice(letters), "only an empty, device or too long name is refused");
    return 0;
  }

  const std::size_t length = std::strlen(buffer.get());
  Require(length <= kPathBufferSize - 1, "the path fits its buffer");
  const std::string path(buffer.get(), length);
  Require(path.compare(0, folder.size(), folder) == 0, "the path starts with the program folder");
  Require(length >= folder.size() + sizeof kExtension && path.compare(length - 4, 4, kExtension) == 0,
          "the path ends in a name and .vrl");
  const std::string name = path.substr(folder.size(), length - folder.size() - 4);
  for (char c : name) {
    Require(c != '.' && !IsDropped(c), "the name holds no full stop and no dropped character");
  }
  Require(!NamesDevice(name), "the name is no device");
  Require(IsSubsequence(name, typed), "the name is the typed name with characters left out");
  return 0;
}
