// Auto Paste's choice between sending Ctrl+V and telling the user.
#include "board/paste_decision.h"

PasteWay DecidePasteWay(long targetLevel, long boardLevel) {
  if (boardLevel == kUnknownIntegrity) return PasteWay::SendKeys;
  if (targetLevel == kUnknownIntegrity || targetLevel > boardLevel) return PasteWay::TellUser;
  return PasteWay::SendKeys;
}
