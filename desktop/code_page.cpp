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

LeadBytes LeadBytes::Utf8() {
  LeadBytes result;
  for (unsigned byte = 0xC2; byte <= 0xF4; ++byte) result.lead_[byte] = true;
  result.utf8_ = true;
  return result;
}

std::size_t LeadBytes::CharacterLength(const char* text, std::size_t available) const {
  if (available == 0) return 0;
  const unsigned char first = static_cast<unsigned char>(text[0]);
  if (!IsLead(first)) return 1;
  if (!utf8_) return available >= 2 && text[1] != '\0' ? 2 : 1;
  const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
  if (available < length) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[i]);
    if (next < 0x80 || next > 0xBF) return 1;
  }
  return length;
}

const LeadBytes& ActiveLeadBytes() { return Active(); }

void UseLeadBytes(const LeadBytes& leadBytes) { Active() = leadBytes; }
