// The lead bytes of the system's ANSI code page.
#include "desktop/system_code_page.h"

#include <windows.h>

#include "desktop/code_page.h"

void UseSystemCodePage() {
  // The system reports no lead-byte ranges for UTF-8: its characters of up to four bytes would be
  // cut like single bytes.
  if (GetACP() == CP_UTF8) {
    UseLeadBytes(LeadBytes::Utf8());
    return;
  }
  CPINFO info = {};
  if (!GetCPInfo(CP_ACP, &info)) return;
  UseLeadBytes(LeadBytes::FromRanges(info.LeadByte, sizeof info.LeadByte));
}
