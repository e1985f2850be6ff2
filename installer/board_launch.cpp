// The elevated installer asks the desktop's shell view, which runs with the user's unelevated
// token, to start the board: the way Microsoft documents for an elevated process that must start
// an unelevated one.
#include "installer/board_launch.h"

#include <exdisp.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "desktop/token_elevation.h"
#include "installer/board_start.h"

namespace {

template <typename T>
void Release(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

// The desktop's folder view, then the shell's dispatch object (IShellDispatch2) behind it.
IShellDispatch2* ReachDesktopShell() {
  IShellWindows* windows = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              reinterpret_cast<void**>(&windows)))) {
    return nullptr;
  }
  // The desktop is found by its folder, given as a CSIDL number.
  VARIANT location;
  VariantInit(&location);
  location.vt = VT_I4;
  location.lVal = CSIDL_DESKTOP;
  VARIANT empty;
  VariantInit(&empty);
  long desktopWindow = 0;
  IDispatch* desktop = nullptr;
  IServiceProvider* services = nullptr;
  IShellBrowser* browser = nullptr;
  IShellView* view = nullptr;
  IDispatch* viewDispatch = nullptr;
  IShellFolderViewDual* folderView = nullptr;
  IDispatch* application = nullptr;
  IShellDispatch2* shell = nullptr;
  if (windows->FindWindowSW(&location, &empty, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, &desktop) == S_OK &&
      desktop != nullptr &&
      SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services))) &&
      SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(&browser))) &&
      SUCCEEDED(browser->QueryActiveShellView(&view)) && view != nullptr &&
      SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(&viewDispatch))) &&
      SUCCEEDED(viewDispatch->QueryInterface(IID_IShellFolderViewDual, reinterpret_cast<void**>(&folderView))) &&
      SUCCEEDED(folderView->get_Application(&application)) && application != nullptr) {
    application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(&shell));
  }
  Release(application);
  Release(folderView);
  Release(viewDispatch);
  Release(view);
  Release(browser);
  Release(services);
  Release(desktop);
  Release(windows);
  return shell;
}

BSTR WideString(const char* text) {
  WCHAR wide[MAX_PATH + 64] = {};
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH + 63);
  return SysAllocString(wide);
}

VARIANT StringVariant(const char* text) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = WideString(text);
  return value;
}

}  // namespace

BoardLauncher::BoardLauncher() {
  const TokenElevationFacts token = ReadTokenElevation();
  // The shell is asked only where it will be used: an unelevated installer needs none of it.
  if (token.elevated && token.splitToken && SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    shell_ = ReachDesktopShell();
  }
  const BoardStartWay way = DecideBoardStart(token.elevated, token.splitToken, shell_ != nullptr);
  throughShell_ = way == BoardStartWay::kThroughDesktopShell;
  willStart_ = way != BoardStartWay::kNotAtAll;
}

BoardLauncher::~BoardLauncher() { Release(shell_); }

bool BoardLauncher::WillStart() const { return willStart_; }

int BoardLauncher::Start(HWND owner, const char* program, const char* argument, const char* folder) {
  if (!willStart_) return 0;
  if (!throughShell_) {
    // ShellExecute reports success with a value above 32.
    return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", program, argument, folder, SW_SHOW)) > 32 ? 1 : 0;
  }
  BSTR file = WideString(program);
  VARIANT arguments = StringVariant(argument);
  VARIANT directory = StringVariant(folder);
  VARIANT operation = StringVariant("open");
  VARIANT show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  const HRESULT result = shell_->ShellExecute(file, arguments, directory, operation, show);
  SysFreeString(file);
  VariantClear(&arguments);
  VariantClear(&directory);
  VariantClear(&operation);
  return SUCCEEDED(result) ? 1 : 0;
}
