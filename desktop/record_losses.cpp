// The decisions and the question of a save that would change the board's texts.
#include "desktop/record_losses.h"

#include <cstdio>

namespace {

constexpr const char* kLossIntro =
    "These buttons hold characters that a project cannot store, or more text than it can hold:";
constexpr const char* kLossQuestion =
    "Save anyway? Those characters are written as \"?\" and a text that is too long loses its end.";
constexpr const char* kTooLongNote = " (too long)";
constexpr const char* kNoName = "(no name)";

}  // namespace

bool CodePageReportsSubstitutes(unsigned codePage) {
  // The code pages for which WideCharToMultiByte requires flags 0 and no used-default flag.
  constexpr unsigned kWithoutFlags[] = {42, 50220, 50221, 50222, 50225, 50227, 50229, 52936, 54936, 65000, 65001};
  for (unsigned refused : kWithoutFlags) {
    if (codePage == refused) return false;
  }
  return codePage < 57002 || codePage > 57011;
}

bool WrittenUnchanged(const FieldFit& field) { return !field.changed && !field.cut; }

bool WrittenUnchanged(const SlotFit& slot) { return WrittenUnchanged(slot.name) && WrittenUnchanged(slot.text); }

std::vector<int> AffectedSlots(std::span<const SlotFit> slots) {
  std::vector<int> affected;
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    if (!WrittenUnchanged(slots[slot])) affected.push_back(static_cast<int>(slot));
  }
  return affected;
}

std::string SaveAnywayQuestion(std::span<const int> slots, std::span<const std::string> names,
                               std::span<const SlotFit> fits) {
  std::string question = kLossIntro;
  question += "\n\n";
  for (int slot : slots) {
    char number[32];
    std::snprintf(number, sizeof number, "Button %d: ", slot + 1);
    question += number;
    const bool named = slot >= 0 && static_cast<std::size_t>(slot) < names.size() && !names[slot].empty();
    question += named ? names[slot] : kNoName;
    const bool known = slot >= 0 && static_cast<std::size_t>(slot) < fits.size();
    if (known && (fits[slot].name.cut || fits[slot].text.cut)) question += kTooLongNote;
    question += '\n';
  }
  question += '\n';
  question += kLossQuestion;
  return question;
}
