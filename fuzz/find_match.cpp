// Find compares the search text with every field of every project, fields of files the program
// did not write included. The match must be what a plain search of folded text finds, and must
// stay within the fields, terminated or not.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

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

bool Occurs(const std::string& haystack, const std::string& needle, bool matchCase) {
  if (matchCase) return haystack.find(needle) != std::string::npos;
  return Folded(haystack).find(Folded(needle)) != std::string::npos;
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
  const std::string needle = input.Piece();
  const std::string haystack = input.Rest();

  // Exactly sized copies, so that a look beyond either end is caught.
  std::unique_ptr<char[]> needleBytes(new char[needle.size()]);
  std::unique_ptr<char[]> haystackBytes(new char[haystack.size()]);
  std::memcpy(needleBytes.get(), needle.data(), needle.size());
  std::memcpy(haystackBytes.get(), haystack.data(), haystack.size());
  const int found = ContainsText(std::string_view(haystackBytes.get(), haystack.size()),
                                 std::string_view(needleBytes.get(), needle.size()), matchCase);
  Require(found == (Occurs(haystack, needle, matchCase == 1) ? 1 : 0), "Find matches as a search of folded text does");

  // The same search through a slot's fields; the haystack fills the caption and the text.
  state.matchCase = matchCase;
  state.fields = 1 + (options / 3) % 3;
  const std::string shownNeedle = Fill(state.searchText, needle);
  const std::string caption = Fill(page.names[0], haystack);
  const std::string text = Fill(page.texts[0], haystack);
  const bool inCaption = state.fields != kFindInTextFields && Occurs(caption, shownNeedle, matchCase == 1);
  const bool inText = state.fields != kFindInButtons && Occurs(text, shownNeedle, matchCase == 1);
  Require(SlotMatches(state, page, 0) == (inCaption || inText ? 1 : 0), "a slot matches when a searched field does");
  return 0;
}
