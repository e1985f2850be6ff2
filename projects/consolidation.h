// Consolidating projects: the slots of several project files gathered, ordered by the first
// character of their button names, and dealt out again over the same files. All or nothing: a
// chosen project file is only ever replaced whole, by a completely written and checked file, and
// when any step fails every chosen project keeps its old content.
#ifndef VARNEL_PROJECTS_CONSOLIDATION_H
#define VARNEL_PROJECTS_CONSOLIDATION_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

// The file operations of a consolidation, so that tests can make any one of them fail.
class ConsolidationFiles {
 public:
  virtual ~ConsolidationFiles() = default;
  // True when exactly one whole page was read (a longer file gives its first page).
  virtual bool Read(const std::string& path, ProjectPage& page) = 0;
  // Creates or truncates path and writes the page; true only when the file was written, flushed,
  // closed and read back equal.
  virtual bool WriteWhole(const std::string& path, const ProjectPage& page) = 0;
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // Puts from in the place of to in one step; to is never missing on the way.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
};

// The real files, through the C library and the platform's replace.
class DiskFiles : public ConsolidationFiles {
 public:
  bool Read(const std::string& path, ProjectPage& page) override;
  bool WriteWhole(const std::string& path, const ProjectPage& page) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

// Told the two progress counts as they change.
class ConsolidationProgress {
 public:
  virtual ~ConsolidationProgress() = default;
  virtual void Examined(long slots) = 0;
  virtual void ToPlace(long slots) = 0;
};

struct ConsolidationResult {
  enum class Outcome { Done, UnreadableProject, Failed };
  Outcome outcome = Outcome::Done;
  // The file whose step failed: a project that could not be read, a temporary or backup file.
  std::string failedPath;
  // Done, but this backup of an old project could not be removed: the user is told where it is.
  std::string leftBehind;
  // Whole-page reads made, for the figures of the benchmark.
  long reads = 0;
};

// The temporary file of a project during a consolidation: its name with the last three
// characters replaced by "tmp" (x.vrl gives x.tmp), and the backup of its old content ("~bk").
std::string ConsolidationTemporaryPath(const std::string& folder, const std::string& entry);
std::string ConsolidationBackupPath(const std::string& folder, const std::string& entry);

// Consolidates the projects folder + entries[n] in list order, using only the two page buffers
// given. UnreadableProject: a chosen project could not be read before anything was written.
// Failed: a later step failed; every chosen project has its old content again and no temporary
// or backup file is left (unless putting an old file back failed too: its backup then stays).
ConsolidationResult ConsolidateProjectFiles(const std::string& folder, const std::vector<std::string>& entries,
                                            ProjectPage& readBuffer, ProjectPage& buildBuffer,
                                            ConsolidationFiles& files, ConsolidationProgress* progress);

#endif
