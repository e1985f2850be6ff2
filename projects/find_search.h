// The searching of Find in Projects, apart from its window: the text test, the tests of one slot,
// and the two searches that resume where the last match was.
#ifndef VARNEL_PROJECTS_FIND_SEARCH_H
#define VARNEL_PROJECTS_FIND_SEARCH_H

#include <cstddef>
#include <string>
#include <string_view>

#include "desktop/code_page.h"
#include "projects/find_state.h"
#include "state/project_page.h"

// 1 when needle occurs in haystack. With matchCase other than 1 only the letters A to Z fold to
// a to z; every other byte, accented letters included, must be equal. Under a double-byte code
// page the needle matches at character starts only, as whole characters, and only single-byte
// letters fold. Allocates nothing.
int ContainsText(std::string_view haystack, std::string_view needle, int matchCase, const LeadBytes& leadBytes);
// The same under the active code page.
int ContainsText(std::string_view haystack, std::string_view needle, int matchCase);

// A fixed field up to its first NUL, and never past its width: a file the program did not write
// may hold a field without one.
template <std::size_t N>
std::string_view FieldView(const char (&field)[N]) {
  const char* end = std::char_traits<char>::find(field, N, '\0');
  return std::string_view(field, end != nullptr ? static_cast<std::size_t>(end - field) : N);
}

// 1 when the slot matches the state's search text in the fields the state names.
int SlotMatches(const FindRecord& state, const ProjectPage& page, int slot);

// The projects of the library, in the order of the board's project list.
class ProjectSource {
 public:
  virtual ~ProjectSource() = default;
  virtual int ProjectCount() = 0;
  // Copies the name of the entry at index; 0 when there is none or it does not fit.
  virtual int ProjectName(int index, char* name, std::size_t size) = 0;
  // 1 when a whole project was read into page.
  virtual int ReadProject(const char* name, ProjectPage& page) = 0;
};

// button is IDC_FIND_FIRST or IDC_FIND_NEXT. Both return 1 with the match at state.slot, 0 when
// there is no further match. Find Next resumes after the last match only when the last search
// had the same scope; otherwise the search starts over.
// The page is the board's page, as last loaded or captured.
int FindInCurrentProject(FindRecord& state, const ProjectPage& page, int button);
// Reads each project into state.readBuffer once, when its first slot is reached; the match is
// in that buffer, its project named by state.projectName. Unreadable projects are skipped.
int FindInAllProjects(FindRecord& state, ProjectSource& library, int button);

// One press of Find First or Find Next with the options already in state: searches the scope
// that state.allProjects chooses and records it as the last scope, or no scope when nothing
// more was found.
int RunFind(FindRecord& state, const ProjectPage& currentPage, ProjectSource& library, int button);

// Reads folder + name for searching: 1 when at least a whole project came back (the rest of a
// longer file is not read); a missing, unreadable or shorter file gives 0. A read-only file is
// searched: searching never writes.
int ReadProjectToSearch(const char* folder, const char* name, ProjectPage& page);

// What the result shows as the project's name: the text after the last backslash that is a
// character of its own, or all of it.
const char* ProjectNameShown(const char* nameOrPath);

#endif
