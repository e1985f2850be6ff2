#include "installer/board_start.h"

BoardStartWay DecideBoardStart(bool elevated, bool splitToken, bool shellViewReached) {
  // Without UAC (turned off, or the built-in administrator) the shell holds the same full token:
  // there is no other store of files and settings to end up in, and a direct start is the user's.
  if (!elevated || !splitToken) return BoardStartWay::kDirectly;
  // A direct start here would give the board the administrator's token, and with it another view
  // of the install folder and the settings than its unelevated starts have: never that.
  return shellViewReached ? BoardStartWay::kThroughDesktopShell : BoardStartWay::kNotAtAll;
}
