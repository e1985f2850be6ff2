// Consolidation deals every slot of the chosen projects out again in the order of their sort
// characters. Whatever the captions hold, each slot must be placed exactly once, in that order,
// ties kept in project and slot order, empty captions last.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/property.h"
#include "projects/consolidation.h"

namespace {

// More projects than anyone consolidates at once, few enough to stay fast.
constexpr std::size_t kMostProjects = 16;

int Rank(unsigned char sortCharacter) { return sortCharacter == 0 ? 256 : sortCharacter; }

void CheckOrder(const std::vector<SortKeys>& keys) {
  const std::vector<SlotRef> order = ConsolidationOrder(keys);
  Require(order.size() == keys.size() * kSlotCount, "as many places as slots");
  std::vector<bool> placed(order.size(), false);
  for (std::size_t n = 0; n < order.size(); ++n) {
    const SlotRef at = order[n];
    Require(at.project < keys.size() && at.slot < static_cast<std::uint32_t>(kSlotCount), "each place names a slot");
    const std::size_t index = at.project * kSlotCount + at.slot;
    Require(!placed[index], "no slot is placed twice");
    placed[index] = true;
    if (n == 0) continue;
    const SlotRef before = order[n - 1];
    const int rank = Rank(keys[at.project][at.slot]);
    const int rankBefore = Rank(keys[before.project][before.slot]);
    Require(rankBefore <= rank, "slots go by sort character, empty captions last");
    Require(rankBefore < rank || before.project < at.project || (before.project == at.project && before.slot < at.slot),
            "slots of one character keep project and slot order");
  }
}

// The sort character as the board's user sees it: the caption's first character, or its second
// after punctuation, capitals and small letters alike.
unsigned char ExpectedSortCharacter(const char* name) {
  unsigned char c = static_cast<unsigned char>(name[0]);
  if (c < 0x80 && std::ispunct(c)) c = static_cast<unsigned char>(name[1]);
  return c < 0x80 ? static_cast<unsigned char>(std::toupper(c)) : c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  std::vector<SortKeys> keys(input.Byte() % (kMostProjects + 1));
  for (SortKeys& project : keys) {
    for (unsigned char& key : project) key = input.Byte();
  }
  CheckOrder(keys);

  // The rest of the input as captions, each in a field of its width as a loaded page has it.
  std::unique_ptr<char[]> name(new char[kButtonNameSize]);
  while (true) {
    std::memset(name.get(), 0, kButtonNameSize);
    for (std::size_t i = 0; i + 1 < kButtonNameSize; ++i) name[i] = static_cast<char>(input.Byte());
    Require(SortCharacter(name.get()) == ExpectedSortCharacter(name.get()), "captions sort under their first letter");
    if (name[0] == '\0') break;
  }
  return 0;
}
