// The description of the system that the About box shows, worked out once at start-up.
#ifndef VARNEL_DESKTOP_SYSTEM_DESCRIPTION_H
#define VARNEL_DESKTOP_SYSTEM_DESCRIPTION_H

#include "desktop/windows_name.h"

// The Windows version numbers as GetVersionEx reports them at start-up.
extern unsigned long WindowsPlatformId;
extern unsigned long WindowsMajorVersion;
extern unsigned long WindowsMinorVersion;
// "x86" unless the program runs on 64-bit Windows, where the registry names the architecture.
extern char CpuName[kCpuNameSize];
extern char SystemDescription[kSystemDescriptionSize];

// 64 when the program runs on 64-bit Windows, otherwise 32.
int ProcessBitness();
// Sets CpuName from the system's PROCESSOR_ARCHITECTURE value, "AMD64" when it cannot be read.
void ReadProcessorArchitecture();
// Fills the version numbers, CpuName and SystemDescription.
void DescribeSystem();

#endif
