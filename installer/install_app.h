// The installer's application object: keeps the argument string and runs the backdrop.
#ifndef VARNEL_INSTALLER_INSTALL_APP_H
#define VARNEL_INSTALLER_INSTALL_APP_H

#include "framework/app.h"

class InstallApp : public fw::App {
 protected:
  bool InitInstance() override;
};

#endif
