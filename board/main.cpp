// Entry point of the board program.
#include <windows.h>

#include "board/board_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  BoardApp app;
  return app.Run(instance, commandLine);
}
