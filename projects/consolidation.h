// Consolidating projects: the slots of several project files gathered, ordered by the first
// character of their button names, and dealt out again over the same files. All or nothing, even
// when the process is killed: a chosen project file is only ever replaced whole, by a completely
// written and checked file, and only after a journal (projects/consolidation_journal.h) has
// recorded every replacement.
#ifndef VARNEL_PROJECTS_CONSOLIDATION_H
#define VARNEL_PROJECTS_CONSOLIDATION_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "projects/file_problem.h"
#include "state/project_page.h"

// The character a slot sorts under: the first byte of its button name, or the second when the
// first is ASCII punctuation; a to z count as A to Z. 0 for an empty name and a name that is one
// punctuation character alone.
unsigned char SortCharacter(const char* name);

struct SlotRef {
  std::uint32_t project;
  std::uint32_t slot;
};
using SortKeys = std::array<unsigned char, kSlotCount>;

// The consolidated order of every slot of the projects whose sort characters are given: by sort
// character in ascending byte value, those of character 0 (empty names) last; slots of the same
// character keep the order of their projects and, within a project, their slot order. Every slot
// appears exactly once.
std::vector<SlotRef> ConsolidationOrder(const std::vector<SortKeys>& keys);

// Told the two progress counts as they change.
class ConsolidationProgress {
 public:
  virtual ~ConsolidationProgress() = default;
  virtual void Examined(long slots) = 0;
  virtual void ToPlace(long slots) = 0;
};

struct ConsolidationResult {
  enum class Outcome { Done, ReadOnlyProject, UnreadableProject, Unresolved, Failed };
  Outcome outcome = Outcome::Done;
  // The file whose step failed: a project that is read-only or could not be read (or the journal,
  // or a file it names), a temporary file, the journal. Unresolved: the file of an earlier, interrupted consolidation that could be
  // neither finished nor undone.
  std::string failedPath;
  // Why that step failed, as the system said; None where there is nothing to add.
  FileFailure cause;
  // Done, but the journal could not be removed: the user is told where it is.
  std::string leftBehind;
  // An interrupted consolidation was found and finished before this one started.
  bool finishedEarlier = false;
  // Times a project file was opened for reading, for the figures of the benchmark.
  long openings = 0;
};

// The temporary file of a project during a consolidation: its name with the last three
// characters replaced by "tmp" (x.vrl gives x.tmp).
std::string ConsolidationTemporaryPath(const std::string& folder, const std::string& entry);

// Consolidates the projects folder + entries[n] in list order, using only the two page buffers
// given. An interrupted consolidation's journal is finished first. Nothing is written when a
// chosen project is read-only or cannot be read, or when a temporary file is in the way (a file
// that is not ours is never overwritten). Failed: a later step failed; every chosen project
// keeps its old content, unless the replacements had begun: the journal then stays, and the next
// start completes them.
ConsolidationResult ConsolidateProjectFiles(const std::string& folder, const std::vector<std::string>& entries,
                                            ProjectPage& readBuffer, ProjectPage& buildBuffer,
                                            ConsolidationProgress* progress);

#endif
