// Which bytes of the ANSI code page start a character of two bytes (932, 936, 949, 950). Cuts
// into fixed buffers and Find walk texts character by character with it, so that no character is
// split in two and no match starts on a character's second byte.
#ifndef VARNEL_DESKTOP_CODE_PAGE_H
#define VARNEL_DESKTOP_CODE_PAGE_H

#include <bitset>
#include <cstddef>

class LeadBytes {
 public:
  // A single-byte code page: every byte is a character of its own.
  LeadBytes() = default;
  // From the lead-byte ranges as the system reports them: pairs of a first and a last byte,
  // ended by a pair of zeros or by count.
  static LeadBytes FromRanges(const unsigned char* ranges, std::size_t count);

  bool IsLead(unsigned char byte) const { return lead_[byte]; }
  bool Any() const { return lead_.any(); }

  // The length of the character that starts at text[0], of the at most `available` bytes there:
  // 2 for a lead byte followed by another byte that is not NUL, else 1 (a lead byte at the end
  // stands alone). 0 when nothing is available.
  std::size_t CharacterLength(const char* text, std::size_t available) const;

 private:
  std::bitset<256> lead_;
};

// The rule of the code page the program runs under: single-byte until the program sets it at its
// start (UseSystemCodePage on the Windows side).
const LeadBytes& ActiveLeadBytes();
void UseLeadBytes(const LeadBytes& leadBytes);

#endif
