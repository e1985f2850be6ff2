// How the installer starts the board at its end, so that the board runs with the user's own,
// unelevated token and sees the same files and settings as every later start.
#ifndef VARNEL_INSTALLER_BOARD_START_H
#define VARNEL_INSTALLER_BOARD_START_H

enum class BoardStartWay {
  // The installer's token is the user's own: the board may inherit it.
  kDirectly,
  // The installer holds the elevated half of a split (UAC) token: the desktop's shell view runs
  // the board with the shell's token instead.
  kThroughDesktopShell,
  // Elevated, and the shell cannot run it: nothing is started; the user starts it from a shortcut.
  kNotAtAll,
};

// elevated: the token is elevated (TokenElevation). splitToken: it is the full half of a UAC split
// token (TokenElevationTypeFull), which exists only while UAC is on. shellViewReached: the
// desktop's shell view answered with its shell dispatch object.
BoardStartWay DecideBoardStart(bool elevated, bool splitToken, bool shellViewReached);

#endif
