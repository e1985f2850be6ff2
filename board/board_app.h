// The application object of the board program: runs the board and restarts after IDOK.
#ifndef VARNEL_BOARD_BOARD_APP_H
#define VARNEL_BOARD_BOARD_APP_H

#include "framework/app.h"

class BoardApp : public fw::App {
 public:
  bool ProcessMessageFilter(int code, MSG* msg) override;

 protected:
  bool InitInstance() override;
};

#endif
