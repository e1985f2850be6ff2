#include "desktop/token_elevation.h"

#include <windows.h>

namespace {

bool VirtualisationAllowed(HANDLE token) {
  DWORD allowed = 0;
  DWORD size = 0;
  return GetTokenInformation(token, TokenVirtualizationAllowed, &allowed, sizeof(allowed), &size) && allowed != 0;
}

// The filtered half is the token of the user's usual, unelevated starts.
bool UsualStartVirtualised(HANDLE token) {
  TOKEN_LINKED_TOKEN linked = {};
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenLinkedToken, &linked, sizeof(linked), &size) || linked.LinkedToken == nullptr) {
    return false;
  }
  const bool allowed = VirtualisationAllowed(linked.LinkedToken);
  CloseHandle(linked.LinkedToken);
  return allowed;
}

}  // namespace

TokenElevationFacts ReadTokenElevation() {
  TokenElevationFacts facts;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return facts;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  if (GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size)) {
    facts.elevated = elevation.TokenIsElevated != 0;
  }
  TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
  if (GetTokenInformation(token, TokenElevationType, &type, sizeof(type), &size)) {
    facts.splitToken = type == TokenElevationTypeFull;
  }
  if (facts.splitToken) facts.usualStartVirtualised = UsualStartVirtualised(token);
  CloseHandle(token);
  return facts;
}
