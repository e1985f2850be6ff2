// What writing the board's texts into a project record would change: which slots hold characters
// the record's code page cannot store or more bytes than a field holds, and the question that
// names them before anything is written. Texts here are UTF-8, as the user sees them.
#ifndef VARNEL_DESKTOP_RECORD_LOSSES_H
#define VARNEL_DESKTOP_RECORD_LOSSES_H

#include <span>
#include <string>
#include <vector>

// One field after its conversion to the record.
struct FieldFit {
  // A character became the default character.
  bool changed = false;
  // The text needed more bytes than the field holds and lost its end.
  bool cut = false;
};

struct SlotFit {
  FieldFit name;
  FieldFit text;
};

bool WrittenUnchanged(const FieldFit& field);
bool WrittenUnchanged(const SlotFit& slot);

// Whether the system's conversion to this code page can refuse look-alike substitutes and report
// the default character. Code pages that store every character (UTF-8, UTF-7) and a few stateful
// or encoded ones accept neither; a conversion to them changes nothing that needs asking.
bool CodePageReportsSubstitutes(unsigned codePage);

// The slots (numbered from 0) whose name or text would not be written as the board shows them.
std::vector<int> AffectedSlots(std::span<const SlotFit> slots);

// The warning for a save that would change those slots: one line per slot with its button number
// (from 1) and the name shown on it (names[slot]), and what saving anyway does.
std::string SaveAnywayQuestion(std::span<const int> slots, std::span<const std::string> names,
                               std::span<const SlotFit> fits);

#endif
