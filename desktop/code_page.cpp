// The lead bytes of the ANSI code page.
#include "desktop/code_page.h"

namespace {

LeadBytes& Active() {
  static LeadBytes active;
  return active;
}

}  // namespace

LeadBytes LeadBytes::FromRanges(const unsigned char* ranges, std::size_t count) {
  LeadBytes result;
  if (ranges == nullptr) return result;
  for (std::size_t i = 0; i + 1 < count; i += 2) {
    const unsigned first = ranges[i];
    const unsigned last = ranges[i + 1];
    if (first == 0 && last == 0) break;
    for (unsigned byte = first; byte <= last && byte < 256; ++byte) result.lead_[byte] = true;
  }
  // NUL ends every string: it is never the start of a longer character.
  result.lead_[0] = false;
  return result;
}

std::size_t LeadBytes::CharacterLength(const char* text, std::size_t available) const {
  if (available == 0) return 0;
  if (available >= 2 && IsLead(static_cast<unsigned char>(text[0])) && text[1] != '\0') return 2;
  return 1;
}

const LeadBytes& ActiveLeadBytes() { return Active(); }

void UseLeadBytes(const LeadBytes& leadBytes) { Active() = leadBytes; }
