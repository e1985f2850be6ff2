// Bounded string helpers for fixed-size character buffers: copying, comparing, integer parsing and
// formatting. Shared by both programs.
#ifndef VARNEL_DESKTOP_BOUNDED_COPY_H
#define VARNEL_DESKTOP_BOUNDED_COPY_H

#include <cstddef>

class LeadBytes;

// Copies at most size - 1 bytes and always terminates when size > 0; a null source stores the
// empty string. A character of two bytes that does not fit whole is left out rather than cut in
// half. Returns destination (nullptr when destination is nullptr).
char* CopyBounded(char* destination, const char* source, std::size_t size, const LeadBytes& leadBytes);
// The same under the active code page.
char* CopyBounded(char* destination, const char* source, std::size_t size);

// The one case-insensitive comparison of the programs, as Windows compares file names and the
// command line: only the letters A to Z fold, every other byte compares as it is. Null equals
// only null.
bool EqualIgnoringCase(const char* left, const char* right);

// atoi without undefined behaviour: blanks, an optional sign, then digits up to the first other
// character. No digits (or nullptr) gives 0; values beyond int are clamped to INT_MIN/INT_MAX.
int ParseSignedDecimal(const char* text);

// Writes value in decimal. Returns what snprintf returns: the length of the whole number, which
// exceeds size - 1 when the buffer was too small and the text was cut.
int FormatInt(char* buffer, std::size_t size, int value);

#endif
