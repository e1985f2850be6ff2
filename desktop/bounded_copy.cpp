// Bounded string helpers for fixed-size character buffers.
#include "desktop/bounded_copy.h"

#include <climits>
#include <cstdio>

#include "desktop/code_page.h"

char* CopyBounded(char* destination, const char* source, std::size_t size, const LeadBytes& leadBytes) {
  if (destination == nullptr || size == 0) {
    return destination;
  }
  std::size_t copied = 0;
  if (source != nullptr) {
    while (source[copied] != '\0') {
      // The look stops at the terminator, so a whole character's bytes may be offered.
      const std::size_t length = leadBytes.CharacterLength(source + copied, kLongestCharacter);
      if (copied + length > size - 1) break;
      for (std::size_t i = 0; i < length; ++i) destination[copied + i] = source[copied + i];
      copied += length;
    }
  }
  destination[copied] = '\0';
  return destination;
}

char* CopyBounded(char* destination, const char* source, std::size_t size) {
  return CopyBounded(destination, source, size, ActiveLeadBytes());
}

int ParseSignedDecimal(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  while (*text == ' ' || *text == '\t') {
    ++text;
  }
  bool negative = false;
  if (*text == '+' || *text == '-') {
    negative = *text == '-';
    ++text;
  }
  // The magnitude stops growing once it passes what INT_MIN needs, so long digit runs cannot
  // overflow the accumulator either.
  constexpr long long kMagnitudeLimit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  while (*text >= '0' && *text <= '9') {
    if (magnitude <= kMagnitudeLimit) {
      magnitude = magnitude * 10 + (*text - '0');
    }
    ++text;
  }
  if (negative) {
    return magnitude >= kMagnitudeLimit ? INT_MIN : static_cast<int>(-magnitude);
  }
  return magnitude >= INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

int FormatInt(char* buffer, std::size_t size, int value) {
  // snprintf may only be given a null buffer together with a zero size.
  if (buffer == nullptr) {
    size = 0;
  }
  return std::snprintf(buffer, size, "%i", value);
}

bool EqualIgnoringCase(const char* left, const char* right) {
  if (left == nullptr || right == nullptr) return left == right;
  for (;; ++left, ++right) {
    unsigned char a = static_cast<unsigned char>(*left);
    unsigned char b = static_cast<unsigned char>(*right);
    if (a >= 'a' && a <= 'z') a = static_cast<unsigned char>(a - ('a' - 'A'));
    if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - ('a' - 'A'));
    if (a != b) return false;
    if (a == '\0') return true;
  }
}
