// Find compares the search text with every field of every project, fields of files the program
// did not write included. The match must be what a plain search of folded text finds, and must
// stay within the fields, terminated or not. Under a double-byte code page (932 or 936) the text
// is a row of characters, and the search is one for the needle's characters among them.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/code_page.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/property.h"
#include "projects/find_search.h"

namespace {

std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The characters of a text: a lead byte and the byte after it, unless that is a NUL or missing;
// single bytes folded when asked.
std::vector<std::string> Characters(const std::string& text, const LeadBytes& leadBytes, bool fold) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size();) {
    const bool pair = i + 1 < text.size() && leadBytes.IsLead(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0';
    std::string character = text.substr(i, pair ? 2 : 1);
    if (fold && !pair) character = Folded(character);
    characters.push_back(character);
    i += character.size();
  }
  return characters;
}

bool Occurs(const std::string& haystack, const std::string& needle, bool matchCase, const LeadBytes& leadBytes) {
  if (!leadBytes.Any()) {
    if (matchCase) return haystack.find(needle) != std::string::npos;
    return Folded(haystack).find(Folded(needle)) != std::string::npos;
  }
  const std::vector<std::string> inHaystack = Characters(haystack, leadBytes, !matchCase);
  const std::vector<std::string> inNeedle = Characters(needle, leadBytes, !matchCase);
  return inNeedle.empty() ||
         std::search(inHaystack.begin(), inHaystack.end(), inNeedle.begin(), inNeedle.end()) != inHaystack.end();
}

// Single-byte, Shift JIS (932) and GBK (936), as the system reports their lead-byte ranges.
LeadBytes CodePage(int choice) {
  static const unsigned char kShiftJis[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  static const unsigned char kGbk[] = {0x81, 0xFE, 0, 0};
  if (choice == 1) return LeadBytes::FromRanges(kShiftJis, sizeof kShiftJis);
  if (choice == 2) return LeadBytes::FromRanges(kGbk, sizeof kGbk);
  return LeadBytes();
}

// Puts text in a field of width N, cut to the width and so perhaps without a NUL; returns what
// the field holds: its bytes up to the first NUL or its end.
template <std::size_t N>
std::string Fill(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
  return std::string(field, strnlen(field, N));
}

FindRecord state;
ProjectPage page;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t options = input.Byte();
  const int matchCase = options % 3;
  const LeadBytes leadBytes = CodePage((options / 9) % 3);
  UseLeadBytes(leadBytes);
  const std::string needle = input.Piece();
  const std::string haystack = input.Rest();

  // Exactly sized copies, so that a look beyond either end is caught.
  std::unique_ptr<char[]> needleBytes(new char[needle.size()]);
  std::unique_ptr<char[]> haystackBytes(new char[haystack.size()]);
  std::memcpy(needleBytes.get(), needle.data(), needle.size());
  std::memcpy(haystackBytes.get(), haystack.data(), haystack.size());
  const int found = ContainsText(std::string_view(haystackBytes.get(), haystack.size()),
                                 std::string_view(needleBytes.get(), needle.size()), matchCase, leadBytes);
  Require(found == (Occurs(haystack, needle, matchCase == 1, leadBytes) ? 1 : 0),
          "Find matches as a search of folded text, character by character, does");

  // The same search through a slot's fields; the haystack fills the caption and the text.
  state.matchCase = matchCase;
  state.fields = 1 + (options / 3) % 3;
  const std::string shownNeedle = Fill(state.searchText, needle);
  const std::string caption = Fill(page.names[0], haystack);
  const std::string text = Fill(page.texts[0], haystack);
  const bool inCaption = state.fields != kFindInTextFields && Occurs(caption, shownNeedle, matchCase == 1, leadBytes);
  const bool inText = state.fields != kFindInButtons && Occurs(text, shownNeedle, matchCase == 1, leadBytes);
  Require(SlotMatches(state, page, 0) == (inCaption || inText ? 1 : 0), "a slot matches when a searched field does");
  return 0;
}
