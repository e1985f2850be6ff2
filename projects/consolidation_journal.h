// The journal that makes a consolidation all or nothing even when the process is killed: it lists
// the chosen projects before any temporary file is written, and records each complete
// replacement (size and checksum) before the first project is replaced. Whoever finds it later
// (the next start, the next consolidation) finishes the consolidation or undoes it.
#ifndef VARNEL_PROJECTS_CONSOLIDATION_JOURNAL_H
#define VARNEL_PROJECTS_CONSOLIDATION_JOURNAL_H

#include <cstdint>
#include <string>
#include <vector>

#include "state/project_page.h"

// Beside the projects; its extension keeps it out of the list of projects.
std::string ConsolidationJournalPath(const std::string& folder);

std::uint64_t PageChecksum(const ProjectPage& page);

struct JournalContents {
  std::vector<std::string> entries;
  // The list of entries was written whole.
  bool planned = false;
  // The replacements were recorded and sealed: the consolidation is decided.
  bool complete = false;
  std::vector<std::uint64_t> checksums;
};

// What a journal's text says; a text cut anywhere reads as a journal that is not complete.
JournalContents ParseJournal(const std::string& text);
std::string JournalPlanText(const std::vector<std::string>& entries);
// The lines that seal a plan: one per replacement, and the seal over everything before it.
std::string JournalSealText(const std::string& plan, const std::vector<std::uint64_t>& checksums);

// Written, flushed and closed; false when any of it failed.
bool WriteJournalPlan(const std::string& folder, const std::vector<std::string>& entries);
bool SealJournal(const std::string& folder, const std::vector<std::string>& entries,
                 const std::vector<std::uint64_t>& checksums);

// Removes the temporaries of the entries, then the journal; false when one could not be removed.
bool RollBackConsolidation(const std::string& folder, const std::vector<std::string>& entries);

enum class JournalOutcome {
  None,        // no journal
  RolledBack,  // not decided yet: the temporaries and the journal are gone, no project changed
  Completed,   // every project holds its verified replacement and the journal is gone
  Unresolved,  // left as found (problemPath names the file): nothing is guessed
  Unreadable,  // left as found: the journal, or a file it names, could not be read (problemPath)
};
struct JournalResolution {
  JournalOutcome outcome = JournalOutcome::None;
  std::string problemPath;
};

// True while a journal in folder lists fileName (letter case aside), or cannot be read: its
// consolidation is yet to replace that project, so nothing else may be saved into it until then,
// or one of the two would overwrite the other's texts.
bool PendingConsolidationLists(const std::string& folder, const std::string& fileName);

// Finishes or undoes the consolidation whose journal is in folder, using scratch to verify the
// replacements.
JournalResolution FinishConsolidationJournal(const std::string& folder, ProjectPage& scratch);

#endif
