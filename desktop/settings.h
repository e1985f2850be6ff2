// Loading and saving the board's options and current project in the settings store.
#ifndef VARNEL_DESKTOP_SETTINGS_H
#define VARNEL_DESKTOP_SETTINGS_H

#include "desktop/settings_keys.h"

// Reads the current project (unless started with NewSession) and the six options. A current
// project written with forward slashes is read with backslashes, the form every comparison uses.
void LoadSettings();
// Writes the current project and the six options.
void SaveSettings();

#endif
