// What removal may delete: the names that belong to the program, and whether the place a handle
// really reaches is the entry that a listing named.
#ifndef VARNEL_INSTALLER_REMOVAL_RULES_H
#define VARNEL_INSTALLER_REMOVAL_RULES_H

#include <cstddef>

// The installation set's files as they stand in the install folder.
constexpr const char* kInstalledFiles[] = {"QUILLOW.EXE", "README.TXT", "README.ICO",
                                           "SAMPLE.VRL",  "UNINSTL.ICO", "INSTALL.EXE"};

// True for a file the program made and removal may delete: an installed file, a project (.vrl),
// a save's temporary (.~vr) or backup (.~vb), a consolidation's backup (.~bk) or temporary (.tmp,
// only beside the project of the same stem, since other programs use that extension too), or an
// installed file's copy under the installer's temporary suffix. Everything else is the user's.
bool IsProgramsOwnFile(const char* name, bool projectOfSameStemExists);

// For a .tmp name: the project that a consolidation would have made it from ("x.tmp" gives
// "x.vrl"); empty for other names. output holds size bytes.
void ProjectOfTemporary(const char* name, char* output, std::size_t size);

// Whether finalPath, as GetFinalPathNameByHandle gives it ("\\?\C:\..." or "\\?\UNC\server\..."),
// names the same place as expected ("C:\..." or "\\server\..."), ignoring letter case. A path
// Windows cannot name with a drive (Wine's "\\?\unix\...") never matches.
bool FinalPathIs(const char* finalPath, const char* expected);

#endif
