// Imports an old "quillow.ini" from the Windows folder into the settings key, once.
#ifndef VARNEL_INSTALLER_INI_MIGRATION_H
#define VARNEL_INSTALLER_INI_MIGRATION_H

void MigrateIniSettings();

#endif
