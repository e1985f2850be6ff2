// The lead bytes of the system's ANSI code page.
#include "desktop/system_code_page.h"

#include <windows.h>

#include "desktop/code_page.h"

void UseSystemCodePage() {
  CPINFO info = {};
  if (!GetCPInfo(CP_ACP, &info)) return;
  UseLeadBytes(LeadBytes::FromRanges(info.LeadByte, sizeof info.LeadByte));
}
