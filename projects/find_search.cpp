// The searching of Find in Projects, apart from its window.
#include "projects/find_search.h"

#include <cstdio>
#include <cstring>

#include "resources/resource.h"

namespace {

inline char FoldLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t CharacterAt(std::string_view text, std::size_t at, const LeadBytes& leadBytes) {
  return leadBytes.CharacterLength(text.data() + at, text.size() - at);
}

// True when the haystack's characters from `start` on are the needle's characters: the same
// lengths, two-byte characters equal byte for byte, single-byte letters folded unless matchCase.
bool CharactersMatchAt(std::string_view haystack, std::size_t start, std::string_view needle, int matchCase,
                       const LeadBytes& leadBytes) {
  std::size_t h = start;
  for (std::size_t n = 0; n < needle.size();) {
    if (h >= haystack.size()) return false;
    const std::size_t length = CharacterAt(needle, n, leadBytes);
    if (CharacterAt(haystack, h, leadBytes) != length) return false;
    if (length == 1 && matchCase != 1) {
      if (FoldLetter(haystack[h]) != FoldLetter(needle[n])) return false;
    } else if (haystack.compare(h, length, needle, n, length) != 0) {
      return false;
    }
    h += length;
    n += length;
  }
  return true;
}

// Under a double-byte code page a match starts and ends at character boundaries only: a trail
// byte may look like a letter or like the lead byte of another character.
int ContainsCharacters(std::string_view haystack, std::string_view needle, int matchCase, const LeadBytes& leadBytes) {
  if (needle.empty()) return 1;
  for (std::size_t start = 0; start + needle.size() <= haystack.size(); start += CharacterAt(haystack, start, leadBytes)) {
    if (CharactersMatchAt(haystack, start, needle, matchCase, leadBytes)) return 1;
  }
  return 0;
}

int FirstMatchingSlot(const FindRecord& state, const ProjectPage& page, int start) {
  for (int slot = start; slot < kSlotCount; ++slot) {
    if (SlotMatches(state, page, slot) == 1) return slot;
  }
  return -1;
}

}  // namespace

int ContainsText(std::string_view haystack, std::string_view needle, int matchCase) {
  return ContainsText(haystack, needle, matchCase, ActiveLeadBytes());
}

int ContainsText(std::string_view haystack, std::string_view needle, int matchCase, const LeadBytes& leadBytes) {
  if (needle.size() > haystack.size()) return 0;
  if (leadBytes.Any()) return ContainsCharacters(haystack, needle, matchCase, leadBytes);
  if (matchCase == 1) return haystack.find(needle) != std::string_view::npos ? 1 : 0;
  if (needle.empty()) return 1;
  const char first = FoldLetter(needle[0]);
  const std::size_t lastStart = haystack.size() - needle.size();
  for (std::size_t start = 0; start <= lastStart; ++start) {
    if (FoldLetter(haystack[start]) != first) continue;
    std::size_t matched = 1;
    while (matched < needle.size() && FoldLetter(haystack[start + matched]) == FoldLetter(needle[matched])) ++matched;
    if (matched == needle.size()) return 1;
  }
  return 0;
}

int SlotMatches(const FindRecord& state, const ProjectPage& page, int slot) {
  const std::string_view needle = FieldView(state.searchText);
  if (state.fields != kFindInButtons && ContainsText(FieldView(page.texts[slot]), needle, state.matchCase) == 1) {
    return 1;
  }
  if (state.fields != kFindInTextFields && ContainsText(FieldView(page.names[slot]), needle, state.matchCase) == 1) {
    return 1;
  }
  return 0;
}

int FindInCurrentProject(FindRecord& state, const ProjectPage& page, int button) {
  int start = 0;
  if (button == IDC_FIND_NEXT && state.lastScope == kScopeCurrentProject) start = state.slot + 1;
  const int slot = FirstMatchingSlot(state, page, start);
  if (slot < 0) return 0;
  state.slot = slot;
  return 1;
}

int FindInAllProjects(FindRecord& state, ProjectSource& library, int button) {
  int start = 0;
  if (button == IDC_FIND_NEXT && state.lastScope == kScopeAllProjects) {
    start = state.slot + 1;
  } else {
    state.projectIndex = 0;
    state.projectCount = library.ProjectCount();
  }
  if (state.readBuffer == nullptr) return 0;
  for (; state.projectIndex < state.projectCount; ++state.projectIndex, start = 0) {
    if (start == 0) {
      ClearPage(*state.readBuffer);
      state.projectName[0] = '\0';
      if (library.ProjectName(state.projectIndex, state.projectName, sizeof state.projectName) != 1) continue;
      if (library.ReadProject(state.projectName, *state.readBuffer) != 1) continue;
    }
    const int slot = FirstMatchingSlot(state, *state.readBuffer, start);
    if (slot >= 0) {
      state.slot = slot;
      return 1;
    }
  }
  return 0;
}

int RunFind(FindRecord& state, const ProjectPage& currentPage, ProjectSource& library, int button) {
  int found = 0;
  if (state.allProjects == 1) {
    found = FindInAllProjects(state, library, button);
    state.lastScope = kScopeAllProjects;
  } else {
    found = FindInCurrentProject(state, currentPage, button);
    state.lastScope = kScopeCurrentProject;
  }
  if (found != 1) state.lastScope = kScopeNone;
  return found;
}

int ReadProjectToSearch(const char* folder, const char* name, ProjectPage& page) {
  ClearPage(page);
  char path[2 * kPathBufferSize + 8];
  const int length = std::snprintf(path, sizeof path, "%s%s", folder, name);
  // A cut path would name another file.
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof path) return 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  const bool whole = std::fread(&page, 1, kProjectPageSize, file) == kProjectPageSize;
  std::fclose(file);
  if (!whole) return 0;
  // What is searched is what the result can show: every field ends within its width.
  TerminateFields(page);
  return 1;
}

const char* ProjectNameShown(const char* nameOrPath) {
  // Walked character by character: under code page 932 the second byte of a character such as
  // 0x83 0x5C is a backslash's byte.
  const LeadBytes& leadBytes = ActiveLeadBytes();
  const char* shown = nameOrPath;
  for (const char* at = nameOrPath; *at != '\0'; at += leadBytes.CharacterLength(at, kLongestCharacter)) {
    if (*at == '\\') shown = at + 1;
  }
  return shown;
}
