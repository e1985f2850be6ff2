// Which bytes of the ANSI code page start a character of two bytes (932, 936, 949, 950), or of up
// to four under UTF-8 (65001, which Windows 10 and 11 offer as the system's code page). Cuts into
// fixed buffers and Find walk texts character by character with it, so that no character is split
// and no match starts inside a character.
#ifndef VARNEL_DESKTOP_CODE_PAGE_H
#define VARNEL_DESKTOP_CODE_PAGE_H

#include <bitset>
#include <cstddef>

// The most bytes one character takes in any code page the program runs under.
constexpr std::size_t kLongestCharacter = 4;

class LeadBytes {
 public:
  // A single-byte code page: every byte is a character of its own.
  LeadBytes() = default;
  // From the lead-byte ranges as the system reports them: pairs of a first and a last byte,
  // ended by a pair of zeros or by count.
  static LeadBytes FromRanges(const unsigned char* ranges, std::size_t count);
  // UTF-8, whose lead bytes the system does not report as ranges: C2 to F4 start characters of
  // two to four bytes, whose other bytes are 80 to BF.
  static LeadBytes Utf8();

  bool IsLead(unsigned char byte) const { return lead_[byte]; }
  bool Any() const { return lead_.any(); }

  // The length of the character that starts at text[0], of the at most `available` bytes there:
  // a lead byte followed by the bytes its character needs, none of them NUL, gives the whole
  // character; anything else is 1 (a lead byte at the end stands alone). 0 when nothing is
  // available. The bytes are looked at in order and a NUL stops the look, so a string may be
  // given more than it holds.
  std::size_t CharacterLength(const char* text, std::size_t available) const;

 private:
  std::bitset<256> lead_;
  bool utf8_ = false;
};

// The rule of the code page the program runs under: single-byte until the program sets it at its
// start (UseSystemCodePage on the Windows side).
const LeadBytes& ActiveLeadBytes();
void UseLeadBytes(const LeadBytes& leadBytes);

#endif
