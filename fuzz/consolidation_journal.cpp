// The consolidation journal is read back at every start: whatever the file holds, reading it must
// not fail, a journal counts as sealed only when it is exactly what the program writes for its
// entries and replacements, and no entry comes from a line that was cut short.
#include <cstdint>
#include <string>

#include "fuzz/property.h"
#include "projects/consolidation_journal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const JournalContents contents = ParseJournal(text);
  Require(!contents.complete || contents.planned, "a sealed journal was planned");
  Require(contents.complete || contents.checksums.empty(), "replacements are given only with the seal");
  if (contents.complete) {
    Require(contents.checksums.size() == contents.entries.size(), "one replacement for each entry");
    const std::string plan = JournalPlanText(contents.entries);
    const std::string written = plan + JournalSealText(plan, contents.checksums);
    Require(text.compare(0, written.size(), written) == 0, "a sealed journal is what the program writes");
  }
  for (const std::string& entry : contents.entries) {
    Require(entry.find('\n') == std::string::npos, "an entry is one whole line");
  }
  return 0;
}
