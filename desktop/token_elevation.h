// What this process's token says about UAC: read by the installer, to start the board as the
// user, and by the board, to tell the user when it runs apart from the user's usual starts.
#ifndef VARNEL_DESKTOP_TOKEN_ELEVATION_H
#define VARNEL_DESKTOP_TOKEN_ELEVATION_H

struct TokenElevationFacts {
  // TokenElevation: the token is elevated.
  bool elevated = false;
  // TokenElevationTypeFull: the token is the full half of a split (UAC) token, which exists only
  // while UAC is on.
  bool splitToken = false;
  // The other, filtered half (TokenLinkedToken) allows UAC virtualisation: an unelevated start of
  // a program that declares no execution level would write to the user's VirtualStore.
  bool usualStartVirtualised = false;
};

// Every fact the system cannot tell comes back false.
TokenElevationFacts ReadTokenElevation();

#endif
