// Consolidating projects.
#include "projects/consolidation.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "projects/consolidation_journal.h"
#include "projects/file_operations.h"
#include "projects/file_system.h"
#include "projects/save_backup.h"

namespace {

bool IsAsciiPunctuation(unsigned char c) {
  return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

// Character 0, the empty names, sorts after every other.
int OrderOf(unsigned char sortCharacter) { return sortCharacter == 0 ? 256 : sortCharacter; }

// Taken right after the failing call, before anything else can overwrite the system's codes.
FileFailure LastSystemFailure() { return FailureOfSystemError(LastWindowsError(), errno); }

// True when exactly one whole page was read (a longer file gives its first page).
bool ReadPage(std::FILE* file, ProjectPage& page, FileFailure* cause) {
  ClearPage(page);
  if (file == nullptr) {
    *cause = LastSystemFailure();
    return false;
  }
  if (FileRead(&page, kProjectPageSize, file) != kProjectPageSize) {
    *cause = FileError(file) ? LastSystemFailure() : FileFailure{FileProblem::TooShort, 0};
    return false;
  }
  TerminateFields(page);
  return true;
}

// Creates or truncates path and writes the page; true only when the file was written, flushed to
// the disk and closed: only such a file may later take a project's place. Reading it back would
// only read the system's cache; the journal's checksum is what a later start verifies.
bool WriteWhole(const std::string& path, const ProjectPage& page, FileFailure* cause) {
  ClearSystemErrors();
  std::FILE* file = FileOpen(path.c_str(), "wb");
  if (file == nullptr) {
    *cause = LastSystemFailure();
    return false;
  }
  bool written = FileWrite(&page, kProjectPageSize, file) == kProjectPageSize;
  written = written && FileFlush(file);
  if (!written) *cause = LastSystemFailure();
  const bool closed = FileClose(file);
  if (written && !closed) *cause = LastSystemFailure();
  return closed && written;
}

// False when something is at path, or when it cannot be told: such a file is not ours. Asked of
// the file system rather than by opening, which costs far more for a hundred names.
bool NothingAt(const std::string& path, FileFailure* cause) {
  ClearSystemErrors();
  if (IsPathFree(path.c_str())) return true;
  *cause = LastWindowsError() != 0 || errno != 0 ? LastSystemFailure() : FileFailure{FileProblem::Exists, 0};
  return false;
}

// The C library keeps about 500 streams; the rest is left to the program's other files.
constexpr std::size_t kMostOpenSources = 256;

// The chosen projects, open from the survey to the end of the build as far as kMostOpenSources
// allows, so that most are opened once.
class OpenProjects {
 public:
  explicit OpenProjects(std::size_t count) : files_(count, nullptr) {}
  ~OpenProjects() { CloseAll(); }
  OpenProjects(const OpenProjects&) = delete;
  OpenProjects& operator=(const OpenProjects&) = delete;

  // Opens project n for the survey; it stays open while the limit allows.
  std::FILE* Open(std::size_t n, const std::string& path) {
    if (open_ == kMostOpenSources) CloseAll();
    ClearSystemErrors();
    std::FILE* file = FileOpen(path.c_str(), "rb");
    if (file == nullptr) return nullptr;
    // Each slot is read later in two small reads far apart: a buffer would only read ahead in
    // vain, and the whole page needs none either.
    std::setvbuf(file, nullptr, _IONBF, 0);
    files_[n] = file;
    ++open_;
    return file;
  }

  // Project n for the build, opened again when the limit made it close.
  std::FILE* Reopened(std::size_t n, const std::string& path, long* openings) {
    if (files_[n] != nullptr) return files_[n];
    ++*openings;
    return Open(n, path);
  }

  void CloseAll() {
    for (std::FILE*& file : files_) {
      if (file != nullptr) FileClose(file);
      file = nullptr;
    }
    open_ = 0;
  }

 private:
  std::vector<std::FILE*> files_;
  std::size_t open_ = 0;
};

// What the survey learnt of a slot: enough to order it and to read only its bytes later.
struct SlotSurvey {
  std::uint8_t nameLength;
  std::uint16_t textLength;
};
using ProjectSurvey = std::array<SlotSurvey, kSlotCount>;

constexpr long kTextsOffset = static_cast<long>(kSlotCount * kButtonNameSize);

// Reads one slot of an open project into slot k of the page: only its name and the bytes of its
// text, with the NUL that ends the text, which must be where the survey found it (a project
// changed since then is not consolidated).
bool ReadSlotBytes(std::FILE* file, std::uint32_t slot, const SlotSurvey& survey, unsigned char key,
                   ProjectPage& page, int k) {
  if (survey.nameLength > 0) {
    if (!FileSeek(file, static_cast<long>(slot * kButtonNameSize)) ||
        FileRead(page.names[k], kButtonNameSize, file) != kButtonNameSize) {
      return false;
    }
    page.names[k][kButtonNameSize - 1] = '\0';
    if (std::strlen(page.names[k]) != survey.nameLength || SortCharacter(page.names[k]) != key) return false;
  }
  if (survey.textLength == 0) return true;
  const std::size_t ended = std::min<std::size_t>(survey.textLength + 1u, kTextFieldSize - 1);
  if (!FileSeek(file, kTextsOffset + static_cast<long>(slot * kTextFieldSize)) ||
      FileRead(page.texts[k], ended, file) != ended) {
    return false;
  }
  page.texts[k][kTextFieldSize - 1] = '\0';
  return std::strlen(page.texts[k]) == survey.textLength;
}

bool ReadSlot(std::FILE* file, std::uint32_t slot, const SlotSurvey& survey, unsigned char key, ProjectPage& page,
              int k, FileFailure* cause) {
  // A project that could not be opened again says why through the open's error.
  if (file == nullptr) {
    *cause = LastSystemFailure();
    return false;
  }
  ClearSystemErrors();
  if (ReadSlotBytes(file, slot, survey, key, page, k)) return true;
  // A project that reads without an error but not as surveyed was changed meanwhile.
  *cause = LastWindowsError() != 0 || errno != 0 ? LastSystemFailure() : FileFailure{FileProblem::Changed, 0};
  return false;
}

ConsolidationResult Stopped(ConsolidationResult result, ConsolidationResult::Outcome outcome, const std::string& path,
                            const FileFailure& cause) {
  result.outcome = outcome;
  result.failedPath = path;
  result.cause = cause;
  return result;
}

}  // namespace

unsigned char SortCharacter(const char* name) {
  if (name == nullptr) return 0;
  unsigned char c = static_cast<unsigned char>(name[0]);
  if (IsAsciiPunctuation(c)) c = static_cast<unsigned char>(name[1]);
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - ('a' - 'A'));
  return c;
}

std::vector<SlotRef> ConsolidationOrder(const std::vector<SortKeys>& keys) {
  std::vector<SlotRef> order;
  order.reserve(keys.size() * kSlotCount);
  for (std::uint32_t project = 0; project < keys.size(); ++project) {
    for (std::uint32_t slot = 0; slot < static_cast<std::uint32_t>(kSlotCount); ++slot) order.push_back({project, slot});
  }
  // Stable: slots of one character keep the order of their projects and their slot order.
  std::stable_sort(order.begin(), order.end(), [&keys](const SlotRef& a, const SlotRef& b) {
    return OrderOf(keys[a.project][a.slot]) < OrderOf(keys[b.project][b.slot]);
  });
  return order;
}

std::string ConsolidationTemporaryPath(const std::string& folder, const std::string& entry) {
  const std::string stem = entry.size() >= 3 ? entry.substr(0, entry.size() - 3) : std::string();
  return folder + stem + "tmp";
}

ConsolidationResult ConsolidateProjectFiles(const std::string& folder, const std::vector<std::string>& entries,
                                            ProjectPage& readBuffer, ProjectPage& buildBuffer,
                                            ConsolidationProgress* progress) {
  using Outcome = ConsolidationResult::Outcome;
  ConsolidationResult result;
  // An earlier consolidation that was cut short is finished first: its temporaries are the only
  // copy of some slots until then.
  ClearSystemErrors();
  const JournalResolution earlier = FinishConsolidationJournal(folder, readBuffer);
  if (earlier.outcome == JournalOutcome::Unreadable) {
    return Stopped(result, Outcome::UnreadableProject, earlier.problemPath, LastSystemFailure());
  }
  // Its message says that the files were left as they are; there is no one cause to add.
  if (earlier.outcome == JournalOutcome::Unresolved) {
    return Stopped(result, Outcome::Unresolved, earlier.problemPath, {});
  }
  result.finishedEarlier = earlier.outcome == JournalOutcome::Completed;

  long examined = 0;
  long toPlace = static_cast<long>(entries.size()) * kSlotCount;
  if (progress != nullptr) {
    progress->Examined(examined);
    progress->ToPlace(toPlace);
  }

  // The survey: each project once, for the characters its slots sort under and the lengths of
  // their fields.
  OpenProjects sources(entries.size());
  std::vector<SortKeys> keys(entries.size());
  std::vector<ProjectSurvey> surveys(entries.size());
  for (std::size_t n = 0; n < entries.size(); ++n) {
    const std::string project = folder + entries[n];
    // A project whose save was cut short while it was written in place gets its old page back
    // first; one that cannot may be half written and is not consolidated.
    if (RestoreInterruptedSave(project.c_str()) == BackupOutcome::Left) {
      return Stopped(result, Outcome::UnreadableProject, project, {FileProblem::SaveNotUndone, 0});
    }
    // The platform's replace would take a read-only project's place all the same.
    if (IsReadOnlyFile(project.c_str())) {
      return Stopped(result, Outcome::ReadOnlyProject, project, {FileProblem::ReadOnly, 0});
    }
    ++result.openings;
    FileFailure cause;
    if (!ReadPage(sources.Open(n, project), readBuffer, &cause)) {
      return Stopped(result, Outcome::UnreadableProject, project, cause);
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      keys[n][slot] = SortCharacter(readBuffer.names[slot]);
      surveys[n][slot] = {static_cast<std::uint8_t>(std::strlen(readBuffer.names[slot])),
                          static_cast<std::uint16_t>(std::strlen(readBuffer.texts[slot]))};
      if (progress != nullptr) progress->Examined(++examined);
    }
  }
  for (const std::string& entry : entries) {
    const std::string temporary = ConsolidationTemporaryPath(folder, entry);
    FileFailure cause;
    if (!NothingAt(temporary, &cause)) return Stopped(result, Outcome::Failed, temporary, cause);
  }
  ClearSystemErrors();
  if (!WriteJournalPlan(folder, entries)) {
    const FileFailure cause = LastSystemFailure();
    RollBackConsolidation(folder, entries);
    return Stopped(result, Outcome::Failed, ConsolidationJournalPath(folder), cause);
  }

  // The build: every slot is read once, straight into its place; a project holding none of a
  // character's slots is never entered for it.
  const std::vector<SlotRef> order = ConsolidationOrder(keys);
  std::vector<std::uint64_t> checksums;
  std::size_t next = 0;
  std::string failedPath;
  FileFailure cause;
  Outcome failure = Outcome::Failed;
  for (std::size_t n = 0; n < entries.size() && failedPath.empty(); ++n) {
    ClearPage(buildBuffer);
    for (int slot = 0; slot < kSlotCount && failedPath.empty(); ++slot, ++next) {
      if (progress != nullptr) progress->ToPlace(--toPlace);
      const SlotRef from = order[next];
      const SlotSurvey& survey = surveys[from.project][from.slot];
      const unsigned char key = keys[from.project][from.slot];
      if (progress != nullptr) progress->Examined(++examined);
      if (survey.nameLength == 0 && survey.textLength == 0) continue;
      const std::string project = folder + entries[from.project];
      std::FILE* source = sources.Reopened(from.project, project, &result.openings);
      if (!ReadSlot(source, from.slot, survey, key, buildBuffer, slot, &cause)) {
        failedPath = project;
        failure = Outcome::UnreadableProject;
      }
    }
    if (!failedPath.empty()) break;
    checksums.push_back(PageChecksum(buildBuffer));
    const std::string temporary = ConsolidationTemporaryPath(folder, entries[n]);
    if (!WriteWhole(temporary, buildBuffer, &cause)) failedPath = temporary;
  }
  sources.CloseAll();
  if (!failedPath.empty()) {
    RollBackConsolidation(folder, entries);
    return Stopped(result, failure, failedPath, cause);
  }

  // Sealed, the journal decides the consolidation: from here on it is finished, not undone.
  ClearSystemErrors();
  if (!SealJournal(folder, entries, checksums)) {
    cause = LastSystemFailure();
    RollBackConsolidation(folder, entries);
    return Stopped(result, Outcome::Failed, ConsolidationJournalPath(folder), cause);
  }
  for (std::size_t n = 0; n < entries.size(); ++n) {
    const std::string project = folder + entries[n];
    ClearSystemErrors();
    if (FileReplace(ConsolidationTemporaryPath(folder, entries[n]).c_str(), project.c_str())) continue;
    cause = LastSystemFailure();
    // The way of the next start, tried at once: it verifies every replacement and puts the rest
    // in place.
    if (FinishConsolidationJournal(folder, readBuffer).outcome == JournalOutcome::Completed) return result;
    return Stopped(result, Outcome::Failed, project, cause);
  }
  errno = 0;
  if (!FileRemove(ConsolidationJournalPath(folder).c_str()) && errno != ENOENT) {
    result.leftBehind = ConsolidationJournalPath(folder);
  }
  return result;
}
