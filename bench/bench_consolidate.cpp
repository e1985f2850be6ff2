// Times Consolidate Projects over 100 project files under Wine, through the program's own code and
// the real file system, and counts the whole-page reads it made. Prints figures; judges nothing.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"
#include "projects/consolidation.h"

namespace {

constexpr int kProjects = 100;
constexpr int kRuns = 3;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Names as people write them: mostly words, some numbered, some with a leading dash, some empty.
std::string RandomName(std::mt19937& random) {
  static const char* const kStarts[] = {"Re: ", "-", "", "", "", "4", " "};
  if (random() % 5 == 0) return "";
  std::string name = kStarts[random() % 7];
  const int length = 3 + static_cast<int>(random() % 12);
  for (int i = 0; i < length; ++i) name += static_cast<char>((i == 0 ? 'A' : 'a') + random() % 26);
  return name;
}

void WriteProjects(const std::string& folder, std::vector<std::string>& entries, std::mt19937& random) {
  auto page = std::make_unique<ProjectPage>();
  entries.clear();
  for (int n = 0; n < kProjects; ++n) {
    ClearPage(*page);
    for (int slot = 0; slot < kSlotCount; ++slot) {
      CopyBounded(page->names[slot], RandomName(random).c_str(), kButtonNameSize);
      const std::string text(200 + random() % 2000, static_cast<char>('a' + slot % 26));
      CopyBounded(page->texts[slot], text.c_str(), kTextFieldSize);
    }
    char entry[32];
    std::snprintf(entry, sizeof entry, "project%03d.vrl", n);
    entries.push_back(entry);
    FILE* file = std::fopen((folder + entry).c_str(), "wb");
    if (file != nullptr) {
      std::fwrite(page.get(), 1, sizeof(ProjectPage), file);
      std::fclose(file);
    }
  }
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "varnel-bench-consolidate\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::mt19937 random(2026);
  auto read = std::make_unique<ProjectPage>();
  auto build = std::make_unique<ProjectPage>();
  DiskFiles disk;
  std::printf("Consolidate Projects, %d projects of %d slots (%d runs)\n", kProjects, kSlotCount, kRuns);
  int failures = 0;
  for (int run = 0; run < kRuns; ++run) {
    std::vector<std::string> entries;
    WriteProjects(folder, entries, random);
    LARGE_INTEGER start, surveyed, done;
    QueryPerformanceCounter(&start);
    for (const std::string& entry : entries) disk.Read(folder + entry, *read);
    QueryPerformanceCounter(&surveyed);
    const ConsolidationResult result = ConsolidateProjectFiles(folder, entries, *read, *build, disk, nullptr);
    QueryPerformanceCounter(&done);
    if (result.outcome != ConsolidationResult::Outcome::Done) {
      std::printf("FAILED: %s\n", result.failedPath.c_str());
      ++failures;
      continue;
    }
    std::printf("run %d: %.3f s, %ld whole-page reads (%d projects; reading each once takes %.3f s)\n", run + 1,
                Seconds(surveyed, done), result.reads, kProjects, Seconds(start, surveyed));
  }
  return failures == 0 ? 0 : 1;
}
