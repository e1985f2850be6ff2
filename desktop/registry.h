// The settings store in the registry, shared by the board program and the installer.
#ifndef VARNEL_DESKTOP_REGISTRY_H
#define VARNEL_DESKTOP_REGISTRY_H

// Under HKEY_LOCAL_MACHINE, in the build's natural view: the shipped 32-bit program and the
// 64-bit test build each see their own copy.
constexpr const char* SettingsRoot = "Software\\Kestrune\\Applications\\vrl";

// Set while a write is in progress. A write that starts while it is set (from a message handler
// dispatched during another write's wait) waits until it is cleared.
extern int RegistryBusy;

// Reads SettingsRoot\subkey\valueName as text whatever its type; values longer than 260 bytes
// count as missing. A missing or empty value is replaced by defaultValue (cut to outputSize),
// which is then also stored; without a default output becomes empty and nothing is stored.
// Returns the length placed in output. With no room for output (nullptr or outputSize <= 0)
// nothing is read or stored and 0 is returned.
int RegReadString(const char* subkey, const char* valueName, const char* defaultValue, char* output,
                  int outputSize);

// The size in bytes of SettingsRoot\subkey\valueName as stored, or -1 when it is not there; lets
// a caller tell a value too long to read from a missing one before RegReadString replaces it.
long RegValueSize(const char* subkey, const char* valueName);

// value given: stores it as REG_SZ, creating the subkey when needed.
// value nullptr: deletes the value valueName.
// valueName and value nullptr: deletes the subkey (which must have no subkeys of its own).
// Returns 1 when the key could be opened or created, 0 otherwise; nothing is shown to the user.
int RegWriteString(const char* subkey, const char* valueName, const char* value);

// Integers are stored as decimal text; text that does not start with a number reads as 0.
int RegReadInt(const char* subkey, const char* valueName, int defaultValue);
int RegWriteInt(const char* subkey, const char* valueName, int value);

#endif
