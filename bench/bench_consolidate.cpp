// Times Consolidate Projects over 100 project files under Wine, through the program's own code and
// the real file system, beside its floor in the same run: reading each project once and writing
// each once durably (flushed to the disk). Prints figures and their ratio; judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <io.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"
#include "projects/consolidation.h"

namespace {

constexpr int kProjects = 100;
constexpr int kRuns = 5;

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

// The floor: each project read once whole, and a page written once to a file of its own, flushed
// to the disk, as a careful program that held every project in memory would need at least.
double FloorSeconds(const std::string& folder, const std::vector<std::string>& entries, ProjectPage& page) {
  LARGE_INTEGER start, done;
  QueryPerformanceCounter(&start);
  for (const std::string& entry : entries) {
    FILE* in = std::fopen((folder + entry).c_str(), "rb");
    if (in == nullptr) continue;
    std::fread(&page, 1, sizeof page, in);
    std::fclose(in);
    const std::string copy = folder + entry.substr(0, entry.size() - 3) + "flr";
    FILE* out = std::fopen(copy.c_str(), "wb");
    if (out == nullptr) continue;
    std::fwrite(&page, 1, sizeof page, out);
    std::fflush(out);
    FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(out))));
    std::fclose(out);
  }
  QueryPerformanceCounter(&done);
  for (const std::string& entry : entries) DeleteFileA((folder + entry.substr(0, entry.size() - 3) + "flr").c_str());
  return Seconds(start, done);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
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
  std::printf("Consolidate Projects, %d projects of %d slots (%d runs)\n", kProjects, kSlotCount, kRuns);
  int failures = 0;
  std::vector<double> consolidations;
  std::vector<double> floors;
  for (int run = 0; run < kRuns; ++run) {
    std::vector<std::string> entries;
    WriteProjects(folder, entries, random);
    // Interleaved, so that both see the machine's load of the same moments.
    const double floor = FloorSeconds(folder, entries, *read);
    LARGE_INTEGER start, done;
    QueryPerformanceCounter(&start);
    const ConsolidationResult result = ConsolidateProjectFiles(folder, entries, *read, *build, nullptr);
    QueryPerformanceCounter(&done);
    if (result.outcome != ConsolidationResult::Outcome::Done) {
      std::printf("FAILED: %s\n", result.failedPath.c_str());
      ++failures;
      continue;
    }
    consolidations.push_back(Seconds(start, done));
    floors.push_back(floor);
    std::printf("run %d: %.3f s, %ld openings of a project for reading; floor %.3f s (ratio %.2f)\n", run + 1,
                consolidations.back(), result.openings, floor, consolidations.back() / floor);
  }
  if (!consolidations.empty()) {
    std::printf("median: consolidation %.3f s, floor %.3f s, ratio %.2f\n", Median(consolidations), Median(floors),
                Median(consolidations) / Median(floors));
  }
  return failures == 0 ? 0 : 1;
}
