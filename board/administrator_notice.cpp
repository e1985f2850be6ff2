#include "board/administrator_notice.h"

bool SaysRunningAsAdministrator(const TokenElevationFacts& token, bool restartedBySelf) {
  // Only the full half of a split token has a usual, filtered start beside it, and only where that
  // start is virtualised does it see other files and settings: with UAC or its virtualisation off,
  // or as the built-in Administrator, every start shares one store and there is nothing to say.
  const bool apart = token.elevated && token.splitToken && token.usualStartVirtualised;
  return apart && !restartedBySelf;
}
