// The consolidation journal: written, read, and finished or undone.
#include "projects/consolidation_journal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "projects/consolidation.h"
#include "projects/file_operations.h"
#include "projects/file_problem.h"
#include "projects/file_system.h"
#include "projects/save_backup.h"

namespace {

constexpr const char* kJournalName = "consolidation.jnl";
constexpr const char* kHeader = "Varnel consolidation journal 1\n";
constexpr const char* kEntryTag = "project ";
constexpr const char* kPlannedTag = "planned ";
constexpr const char* kReplacementTag = "replacement ";
constexpr const char* kSealTag = "sealed ";

std::uint64_t Fnv1a(const unsigned char* bytes, std::size_t size, std::uint64_t hash = 14695981039346656037ull) {
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= bytes[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

std::uint64_t TextChecksum(const std::string& text) {
  return Fnv1a(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

bool StartsWith(const std::string& line, const char* tag) { return line.compare(0, std::strlen(tag), tag) == 0; }

bool ParseHex(const std::string& text, std::uint64_t& value) {
  // Exactly as written: a journal reads as sealed only when it is what the program wrote.
  if (text.size() != 16) return false;
  value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) return false;
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  return true;
}

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%016" PRIx64, value);
  return text;
}

// An entry names a file in the folder itself: nothing outside it is ever touched.
bool IsPlainFileName(const std::string& entry) {
  return !entry.empty() && entry != "." && entry != ".." && entry.find_first_of("\\/:") == std::string::npos;
}

bool WriteFlushed(const std::string& path, const char* mode, const std::string& text) {
  std::FILE* file = FileOpen(path.c_str(), mode);
  if (file == nullptr) return false;
  bool written = FileWrite(text.data(), text.size(), file) == text.size();
  written = written && FileFlush(file);
  return FileClose(file) && written;
}

enum class Presence { Absent, Present, Unreadable };

// The whole text of a small file.
Presence ReadText(const std::string& path, std::string& text) {
  errno = 0;
  std::FILE* file = FileOpen(path.c_str(), "rb");
  if (file == nullptr) return errno == ENOENT ? Presence::Absent : Presence::Unreadable;
  char piece[4096];
  std::size_t got = 0;
  while ((got = FileRead(piece, sizeof piece, file)) > 0) text.append(piece, got);
  const bool failed = FileError(file);
  FileClose(file);
  return failed ? Presence::Unreadable : Presence::Present;
}

// Reads a file that must be exactly one page and gives its checksum.
Presence PageFileChecksum(const std::string& path, ProjectPage& scratch, std::uint64_t& checksum, bool& whole) {
  errno = 0;
  std::FILE* file = FileOpen(path.c_str(), "rb");
  if (file == nullptr) return errno == ENOENT ? Presence::Absent : Presence::Unreadable;
  char beyond = 0;
  whole = FileRead(&scratch, kProjectPageSize, file) == kProjectPageSize && FileRead(&beyond, 1, file) == 0;
  const bool failed = FileError(file);
  FileClose(file);
  if (failed) return Presence::Unreadable;
  checksum = PageChecksum(scratch);
  return Presence::Present;
}

// Where the system refuses for good to replace a project (a virtualised folder, some network
// shares), the replacement is written over the project in place. No backup is needed: the journal
// is sealed, so a write cut short is written again from the temporary, which goes only once the
// project holds it whole. Only a project of exactly one page is written over, so none keeps a tail.
bool ReplaceInPlace(const std::string& temporary, const std::string& project, std::uint64_t checksum,
                    ProjectPage& scratch) {
  std::uint64_t read = 0;
  bool whole = false;
  if (PageFileChecksum(temporary, scratch, read, whole) != Presence::Present || !whole || read != checksum) return false;
  std::FILE* file = FileOpen(project.c_str(), "r+b");
  if (file == nullptr) return false;
  char edge = 0;
  bool written = FileSeek(file, static_cast<long>(kProjectPageSize) - 1) && FileRead(&edge, 1, file) == 1 &&
                 FileRead(&edge, 1, file) == 0 && !FileError(file) && FileSeek(file, 0);
  written = written && FileWrite(&scratch, kProjectPageSize, file) == kProjectPageSize && FileFlush(file);
  written = FileClose(file) && written;
  return written && FileRemove(temporary.c_str());
}

// Removes a file that may already be gone.
bool RemoveIfPresent(const std::string& path) {
  errno = 0;
  return FileRemove(path.c_str()) || errno == ENOENT;
}

enum class EntryState { Pending, Applied, NotThere };

}  // namespace

std::string ConsolidationJournalPath(const std::string& folder) { return folder + kJournalName; }

std::uint64_t PageChecksum(const ProjectPage& page) {
  return Fnv1a(reinterpret_cast<const unsigned char*>(&page), kProjectPageSize);
}

std::string JournalPlanText(const std::vector<std::string>& entries) {
  std::string text = kHeader;
  for (const std::string& entry : entries) text += kEntryTag + entry + "\n";
  text += kPlannedTag + std::to_string(entries.size()) + "\n";
  return text;
}

std::string JournalSealText(const std::string& plan, const std::vector<std::uint64_t>& checksums) {
  std::string lines;
  for (std::size_t n = 0; n < checksums.size(); ++n) {
    lines += kReplacementTag + std::to_string(n) + " " + std::to_string(kProjectPageSize) + " " + Hex(checksums[n]) + "\n";
  }
  return lines + kSealTag + Hex(TextChecksum(plan + lines)) + "\n";
}

JournalContents ParseJournal(const std::string& text) {
  JournalContents contents;
  if (!StartsWith(text, kHeader)) return contents;
  std::size_t at = std::strlen(kHeader);
  std::vector<std::uint64_t> checksums;
  // Only lines that end in a line break count: the last one may have been cut by a kill.
  for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = text.substr(at, end - at);
    if (!contents.planned && StartsWith(line, kEntryTag)) {
      contents.entries.push_back(line.substr(std::strlen(kEntryTag)));
    } else if (!contents.planned && StartsWith(line, kPlannedTag)) {
      if (line.substr(std::strlen(kPlannedTag)) != std::to_string(contents.entries.size())) return contents;
      contents.planned = true;
    } else if (contents.planned && StartsWith(line, kReplacementTag)) {
      const std::string expected =
          kReplacementTag + std::to_string(checksums.size()) + " " + std::to_string(kProjectPageSize) + " ";
      std::uint64_t checksum = 0;
      if (!StartsWith(line, expected.c_str()) || !ParseHex(line.substr(expected.size()), checksum)) return contents;
      checksums.push_back(checksum);
    } else if (contents.planned && StartsWith(line, kSealTag)) {
      std::uint64_t seal = 0;
      contents.complete = ParseHex(line.substr(std::strlen(kSealTag)), seal) &&
                          seal == TextChecksum(text.substr(0, at)) && checksums.size() == contents.entries.size();
      if (contents.complete) contents.checksums = checksums;
      return contents;
    } else {
      return contents;
    }
  }
  return contents;
}

bool WriteJournalPlan(const std::string& folder, const std::vector<std::string>& entries) {
  return WriteFlushed(ConsolidationJournalPath(folder), "wb", JournalPlanText(entries));
}

bool SealJournal(const std::string& folder, const std::vector<std::string>& entries,
                 const std::vector<std::uint64_t>& checksums) {
  return WriteFlushed(ConsolidationJournalPath(folder), "ab", JournalSealText(JournalPlanText(entries), checksums));
}

bool RollBackConsolidation(const std::string& folder, const std::vector<std::string>& entries) {
  bool removed = true;
  for (const std::string& entry : entries) {
    removed = RemoveIfPresent(ConsolidationTemporaryPath(folder, entry)) && removed;
  }
  // The journal goes last: as long as a temporary is left, the journal says whose it is.
  return removed && RemoveIfPresent(ConsolidationJournalPath(folder));
}

bool PendingConsolidationLists(const std::string& folder, const std::string& fileName) {
  std::string text;
  const Presence journal = ReadText(ConsolidationJournalPath(folder), text);
  if (journal == Presence::Absent) return false;
  if (journal == Presence::Unreadable) return true;
  const auto sameLetters = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  for (const std::string& entry : ParseJournal(text).entries) {
    if (entry.size() == fileName.size() && std::equal(entry.begin(), entry.end(), fileName.begin(), sameLetters)) {
      return true;
    }
  }
  return false;
}

JournalResolution FinishConsolidationJournal(const std::string& folder, ProjectPage& scratch) {
  JournalResolution resolution;
  const std::string journalPath = ConsolidationJournalPath(folder);
  std::string text;
  const Presence journal = ReadText(journalPath, text);
  if (journal == Presence::Absent) return resolution;
  resolution.outcome = JournalOutcome::Unresolved;
  resolution.problemPath = journalPath;
  if (journal == Presence::Unreadable) {
    resolution.outcome = JournalOutcome::Unreadable;
    return resolution;
  }
  // A journal cut short at its very start is ours too; a file of that name that is not one is
  // left alone.
  const std::string header = kHeader;
  if (!StartsWith(text, kHeader) && header.compare(0, text.size(), text) != 0) return resolution;
  const JournalContents contents = ParseJournal(text);
  for (const std::string& entry : contents.entries) {
    if (!IsPlainFileName(entry)) return resolution;
  }

  if (contents.complete) {
    // Decided: each project holds its replacement already, or its temporary holds it whole.
    std::vector<EntryState> states;
    int applied = 0;
    for (std::size_t n = 0; n < contents.entries.size(); ++n) {
      const std::string temporary = ConsolidationTemporaryPath(folder, contents.entries[n]);
      const std::string project = folder + contents.entries[n];
      std::uint64_t checksum = 0;
      bool whole = false;
      EntryState state = EntryState::NotThere;
      const Presence replacement = PageFileChecksum(temporary, scratch, checksum, whole);
      if (replacement == Presence::Unreadable) {
        resolution.outcome = JournalOutcome::Unreadable;
        resolution.problemPath = temporary;
        return resolution;
      }
      if (replacement == Presence::Present && whole && checksum == contents.checksums[n]) state = EntryState::Pending;
      if (replacement == Presence::Absent) {
        const Presence old = PageFileChecksum(project, scratch, checksum, whole);
        if (old == Presence::Unreadable) {
          resolution.outcome = JournalOutcome::Unreadable;
          resolution.problemPath = project;
          return resolution;
        }
        if (old == Presence::Present && whole && checksum == contents.checksums[n]) state = EntryState::Applied;
      }
      if (state == EntryState::Applied) ++applied;
      states.push_back(state);
    }
    bool allThere = true;
    for (EntryState state : states) allThere = allThere && state != EntryState::NotThere;
    if (allThere) {
      for (std::size_t n = 0; n < states.size(); ++n) {
        if (states[n] != EntryState::Pending) continue;
        const std::string project = folder + contents.entries[n];
        const std::string temporary = ConsolidationTemporaryPath(folder, contents.entries[n]);
        ClearSystemErrors();
        if (FileReplace(temporary.c_str(), project.c_str())) continue;
        const bool refusedForGood = ReplaceRefusedForGood(FailureOfSystemError(LastWindowsError(), errno));
        if (!refusedForGood || !ReplaceInPlace(temporary, project, contents.checksums[n], scratch)) {
          resolution.problemPath = project;
          return resolution;
        }
      }
      if (!RemoveIfPresent(journalPath)) return resolution;
      resolution.outcome = JournalOutcome::Completed;
      resolution.problemPath.clear();
      return resolution;
    }
    // A replacement is missing: undoing was under way, and is safe only while no project has
    // taken its replacement.
    if (applied > 0) return resolution;
  }
  if (!RollBackConsolidation(folder, contents.entries)) return resolution;
  resolution.outcome = JournalOutcome::RolledBack;
  resolution.problemPath.clear();
  return resolution;
}
