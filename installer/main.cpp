// Entry point of the installer.
#include <windows.h>

#include "installer/install_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  InstallApp app;
  return app.Run(instance, commandLine);
}
