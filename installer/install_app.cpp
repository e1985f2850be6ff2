// The installer's application object.
#include "installer/install_app.h"

#include "desktop/bounded_copy.h"
#include "desktop/system_code_page.h"
#include "installer/backdrop.h"
#include "installer/install_state.h"

bool InstallApp::InitInstance() {
  UseSystemCodePage();
  CopyBounded(CommandLineBuffer, CommandLine(), sizeof(CommandLineBuffer));
  BackdropDialog backdrop;
  backdrop.RunModal(nullptr);
  // The program ends with its backdrop: no loop of its own follows.
  return false;
}
