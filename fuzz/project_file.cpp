// A project file may come from anywhere. A page loads only from a file holding a whole one, every
// field of a loaded page ends within its width, and the board, Find and Consolidate read alike.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/property.h"
#include "projects/find_search.h"
#include "projects/page_file.h"
#include "state/project_page.h"

namespace {

// The first byte chooses the file's shape, so that whole pages and longer files are reached from
// inputs of a few hundred bytes instead of a third of a megabyte.
enum Shape : std::uint8_t { kAsGiven, kZeroFilled, kRepeated, kRepeatedWithTail, kShapeCount };

// bytes is reused from run to run: a fresh third of a megabyte each time would cost more than
// everything the run checks.
void MakeFileBytes(const std::uint8_t* data, std::size_t size, std::vector<char>& bytes) {
  bytes.clear();
  if (size == 0) return;
  const std::uint8_t shape = data[0] % kShapeCount;
  bytes.assign(data + 1, data + size);
  const std::size_t given = bytes.size();
  if (shape == kAsGiven) return;
  if (shape == kZeroFilled) {
    bytes.resize(std::max(given, kProjectPageSize), '\0');
    return;
  }
  bytes.resize(kProjectPageSize + (shape == kRepeatedWithTail ? given : 0), '\0');
  if (given == 0) return;
  for (std::size_t filled = given; filled < bytes.size();) {
    const std::size_t chunk = std::min(filled, bytes.size() - filled);
    std::memcpy(bytes.data() + filled, bytes.data(), chunk);
    filled += chunk;
  }
}

struct ScratchFolder {
  std::string folder;
  std::string path;

  ScratchFolder() {
    // Memory-backed when the machine has it: a disk file system makes the writes the slowest part.
    char pattern[64];
    std::snprintf(pattern, sizeof pattern, "%s/varnel-fuzz-XXXXXX", access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    Require(mkdtemp(pattern) != nullptr, "a scratch folder can be made");
    folder = std::string(pattern) + "/";
    path = folder + "fuzz.vrl";
  }
  ~ScratchFolder() {
    std::remove(path.c_str());
    rmdir(folder.c_str());
  }
};

void WriteFile(const std::string& path, const std::vector<char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "the scratch file opens");
  if (!bytes.empty()) Require(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(), "the scratch file is written");
  Require(std::fclose(file) == 0, "the scratch file closes");
}

ProjectPage boardPage;
ProjectPage expectedPage;
ProjectPage searchPage;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ScratchFolder scratch;
  static std::vector<char> bytes;
  MakeFileBytes(data, size, bytes);
  WriteFile(scratch.path, bytes);

  const int loaded = ReadProjectFile(scratch.path.c_str(), boardPage);
  const bool holdsPage = bytes.size() >= kProjectPageSize;
  Require(loaded == (holdsPage ? 1 : 0), "a page loads exactly when the file holds a whole one");

  ClearPage(expectedPage);
  if (!bytes.empty()) std::memcpy(&expectedPage, bytes.data(), std::min(bytes.size(), kProjectPageSize));
  if (loaded == 1) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      expectedPage.names[slot][kButtonNameSize - 1] = '\0';
      expectedPage.texts[slot][kTextFieldSize - 1] = '\0';
    }
  }
  Require(std::memcmp(&boardPage, &expectedPage, kProjectPageSize) == 0,
          "the page holds the file's bytes, fields cut to their widths, then zeros");
  if (loaded != 1) return 0;

  for (int slot = 0; slot < kSlotCount; ++slot) {
    Require(std::memchr(boardPage.names[slot], '\0', kButtonNameSize) != nullptr, "every caption ends in its field");
    Require(std::memchr(boardPage.texts[slot], '\0', kTextFieldSize) != nullptr, "every text ends in its field");
  }
  bool anyText = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    anyText = anyText || bytes[slot * kButtonNameSize] != 0 || bytes[kSlotCount * kButtonNameSize + slot * kTextFieldSize] != 0;
  }
  Require(PageHoldsText(boardPage) == anyText, "a page holds text when some field starts with a character");

  Require(ReadProjectToSearch(scratch.folder.c_str(), "fuzz.vrl", searchPage) == 1, "Find reads what the board loads");
  Require(std::memcmp(&searchPage, &boardPage, kProjectPageSize) == 0, "Find sees the board's page");
  return 0;
}
