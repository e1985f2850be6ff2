// The dialog framework against the real Win32 API: the modal loop, the handler tables, the
// application's message filter, menus, tooltips and centring.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/menu.h"
#include "framework/tooltip.h"
#include "test_framework_ids.h"

namespace {

constexpr UINT kEndMessage = WM_APP + 1;     // ends the dialog with wParam
constexpr UINT kAnswerMessage = WM_APP + 2;  // answers twice lParam
constexpr UINT kCallMessage = WM_APP + 3;    // runs the std::function<void()>* in lParam
constexpr UINT_PTR kTickTimer = 5401;
constexpr int kTimedOut = 9999;
constexpr DWORD kWatchdogMs = 5000;
const char kBoxCaption[] = "Varnel framework test box";

// A dialog that records what reaches its handlers; tests script it through onInit and Post.
class ProbeDialog : public fw::TableDialog<ProbeDialog> {
 public:
  using TableDialog::TableDialog;

  std::function<void(ProbeDialog&)> onInit;
  std::function<void(ProbeDialog&)> onTick;
  bool keepOpenOnCancel = false;
  WPARAM swallowedKey = 0;

  std::vector<std::string> commands;  // "handler id code"
  std::vector<HWND> controls;
  std::vector<WPARAM> keys;  // key presses that were dispatched to the dialog
  int cancels = 0;
  int shows = 0;

  // Queues code to run inside whichever loop is pumping this thread's messages.
  void Post(std::function<void()> call) {
    PostMessageA(Handle(), kCallMessage, 0,
                 reinterpret_cast<LPARAM>(new std::function<void()>(std::move(call))));
  }

  bool PreTranslateMessage(MSG* msg) override {
    if (swallowedKey != 0 && msg->message == WM_KEYDOWN && msg->wParam == swallowedKey) return true;
    return TableDialog::PreTranslateMessage(msg);
  }

 protected:
  BOOL OnInitDialog() override {
    if (onInit) onInit(*this);
    return TRUE;
  }
  void OnCancel() override {
    ++cancels;
    if (!keepOpenOnCancel) TableDialog::OnCancel();
  }

  std::span<const MessageRow> MessageTable() const override {
    static constexpr MessageRow rows[] = {
        {kEndMessage, &ProbeDialog::OnEndMessage}, {kAnswerMessage, &ProbeDialog::OnAnswer},
        {kCallMessage, &ProbeDialog::OnCall},      {WM_KEYDOWN, &ProbeDialog::OnKeyDown},
        {WM_SHOWWINDOW, &ProbeDialog::OnShow},     {WM_TIMER, &ProbeDialog::OnTimer},
    };
    return rows;
  }
  std::span<const CommandRow> CommandTable() const override {
    // The row for one code comes first: the any-code row behind it must only get the rest.
    static constexpr CommandRow rows[] = {
        {IDC_FW_RANGE_FIRST, IDC_FW_RANGE_LAST, kAnyCode, &ProbeDialog::OnRange},
        {IDC_FW_EDIT, IDC_FW_EDIT, EN_CHANGE, &ProbeDialog::OnEditChange},
        {IDC_FW_EDIT, IDC_FW_EDIT, kAnyCode, &ProbeDialog::OnEditOther},
        {ID_FW_FIRST, ID_FW_NESTED, kAnyCode, &ProbeDialog::OnMenu},
    };
    return rows;
  }
  std::span<const NotifyRow> NotifyTable() const override {
    static constexpr NotifyRow rows[] = {
        {IDC_FW_EDIT, NM_CLICK, &ProbeDialog::OnEditClicked},
        {kAnyId, NM_DBLCLK, &ProbeDialog::OnAnyDoubleClick},
    };
    return rows;
  }

 private:
  INT_PTR OnEndMessage(WPARAM wParam, LPARAM) {
    EndDialog(static_cast<INT_PTR>(wParam));
    return TRUE;
  }
  INT_PTR OnAnswer(WPARAM, LPARAM lParam) { return SetMessageResult(lParam * 2); }
  INT_PTR OnCall(WPARAM, LPARAM lParam) {
    auto* call = reinterpret_cast<std::function<void()>*>(lParam);
    (*call)();
    delete call;
    return TRUE;
  }
  INT_PTR OnKeyDown(WPARAM wParam, LPARAM) {
    keys.push_back(wParam);
    return TRUE;
  }
  INT_PTR OnShow(WPARAM wParam, LPARAM) {
    if (wParam) ++shows;
    return FALSE;
  }
  INT_PTR OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kTickTimer) return FALSE;
    KillTimer(Handle(), kTickTimer);
    if (onTick) onTick(*this);
    return TRUE;
  }
  void Record(const char* handler, int id, int code, HWND control) {
    commands.push_back(std::string(handler) + " " + std::to_string(id) + " " + std::to_string(code));
    controls.push_back(control);
  }
  void OnRange(int id, int code, HWND control) { Record("range", id, code, control); }
  void OnEditChange(int id, int code, HWND control) { Record("change", id, code, control); }
  void OnEditOther(int id, int code, HWND control) { Record("other", id, code, control); }
  void OnMenu(int id, int code, HWND control) { Record("menu", id, code, control); }
  LRESULT OnEditClicked(NMHDR* header) { return static_cast<LRESULT>(header->idFrom) + 1; }
  LRESULT OnAnyDoubleClick(NMHDR* header) { return -static_cast<LRESULT>(header->idFrom); }
};

// An application whose filter records the key presses it is offered and consumes chosen ones.
class FilterApp : public fw::App {
 public:
  struct Offer {
    int code;
    HWND hwnd;
    WPARAM key;
  };
  std::vector<Offer> offers;
  std::vector<WPARAM> consumed;
  std::function<bool()> body;
  int exitCode = 0;

  bool ProcessMessageFilter(int code, MSG* msg) override {
    if (msg->message != WM_KEYDOWN) return false;
    offers.push_back({code, msg->hwnd, msg->wParam});
    return std::find(consumed.begin(), consumed.end(), msg->wParam) != consumed.end();
  }
  int Count(WPARAM key) const {
    return static_cast<int>(std::count_if(offers.begin(), offers.end(),
                                          [key](const Offer& o) { return o.key == key; }));
  }
  const Offer* First(WPARAM key) const {
    for (const Offer& o : offers) {
      if (o.key == key) return &o;
    }
    return nullptr;
  }
  int Start() { return Run(GetModuleHandleA(nullptr), ""); }

 protected:
  bool InitInstance() override { return body(); }
  int ExitInstance() override { return exitCode; }
};

// A plain top-level window to own dialogs, or to be centred.
struct PlainWindow {
  HWND hwnd;
  explicit PlainWindow(int width = 100, int height = 100)
      : hwnd(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 5, 7, width, height, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~PlainWindow() { DestroyWindow(hwnd); }
};

BOOL CALLBACK CollectMessageBox(HWND hwnd, LPARAM found) {
  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (std::strcmp(caption, kBoxCaption) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

HWND FindMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), CollectMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A loop that never ends would hang every later test too: after a while, end menus, close our
// message box and post a quit message, which every modal loop passes outwards.
void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
  if (HWND box = FindMessageBox()) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  PostQuitMessage(kTimedOut);
}

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override { watchdog_ = SetTimer(nullptr, 0, kWatchdogMs, OnWatchdog); }
  void TearDown() override {
    KillTimer(nullptr, watchdog_);
    // Leftovers (a wake-up for a destroyed dialog, a quit) must not reach the next test.
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE); ++i) {
    }
  }
  UINT_PTR watchdog_ = 0;
};

using FrameworkModal = FrameworkTest;
using FrameworkTable = FrameworkTest;
using FrameworkFilter = FrameworkTest;
using FrameworkMenu = FrameworkTest;
using FrameworkToolTip = FrameworkTest;
using FrameworkCenter = FrameworkTest;

DWORD Since(DWORD start) { return GetTickCount() - start; }

}  // namespace

TEST_F(FrameworkModal, RunModalReturnsTheEndDialogResultOfEachRun) {
  ProbeDialog dialog(IDD_FW_HIDDEN);
  WPARAM next = 1234;
  HWND window = nullptr;
  dialog.onInit = [&](ProbeDialog& d) {
    window = d.Handle();
    PostMessageA(d.Handle(), kEndMessage, next, 0);
  };
  EXPECT_EQ(dialog.RunModal(nullptr), 1234);
  EXPECT_TRUE(dialog.HasEnded());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.Handle(), nullptr);

  // The same object runs again from a clean state.
  next = 4321;
  EXPECT_EQ(dialog.RunModal(nullptr), 4321);
}

TEST_F(FrameworkModal, OkCancelAndTheirKeysEndTheDialogByDefault) {
  struct Case {
    UINT message;
    WPARAM wParam;
    INT_PTR expected;
  };
  const Case cases[] = {{WM_COMMAND, IDOK, IDOK},
                        {WM_COMMAND, IDCANCEL, IDCANCEL},
                        {WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
                        {WM_KEYDOWN, VK_RETURN, IDOK}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message " << c.message << " wParam " << c.wParam);
    ProbeDialog dialog(IDD_FW_HIDDEN);
    dialog.onInit = [&](ProbeDialog& d) { PostMessageA(d.Handle(), c.message, c.wParam, 0); };
    EXPECT_EQ(dialog.RunModal(nullptr), c.expected);
  }
}

TEST_F(FrameworkModal, OverriddenCancelKeepsTheDialogOpen) {
  ProbeDialog dialog(IDD_FW_HIDDEN);
  dialog.keepOpenOnCancel = true;
  bool openAfterCancels = false;
  dialog.onInit = [&](ProbeDialog& d) {
    PostMessageA(d.Handle(), WM_COMMAND, IDCANCEL, 0);
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    d.Post([&] {
      openAfterCancels = !d.HasEnded() && IsWindow(d.Handle());
      d.EndDialog(77);
    });
  };
  EXPECT_EQ(dialog.RunModal(nullptr), 77);
  EXPECT_EQ(dialog.cancels, 2);
  EXPECT_TRUE(openAfterCancels);
}

TEST_F(FrameworkModal, PreTranslateMessageDecidesWhatIsDispatched) {
  ProbeDialog dialog(IDD_FW_HIDDEN);
  dialog.swallowedKey = VK_F7;
  dialog.onInit = [](ProbeDialog& d) {
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_F7, 0);
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_F8, 0);
    PostMessageA(d.Handle(), kEndMessage, 1, 0);
  };
  EXPECT_EQ(dialog.RunModal(nullptr), 1);
  EXPECT_EQ(dialog.keys, std::vector<WPARAM>{VK_F8});
}

TEST_F(FrameworkModal, HiddenTemplateIsShownOnceTheQueueIsIdle) {
  ProbeDialog dialog(IDD_FW_HIDDEN);
  BOOL visibleAtInit = TRUE;
  BOOL visibleWhileBusy = TRUE;
  BOOL visibleLater = FALSE;
  dialog.onInit = [&](ProbeDialog& d) {
    visibleAtInit = IsWindowVisible(d.Handle());
    d.Post([&] {
      visibleWhileBusy = IsWindowVisible(d.Handle());
      SetTimer(d.Handle(), kTickTimer, 200, nullptr);
    });
  };
  dialog.onTick = [&](ProbeDialog& d) {
    visibleLater = IsWindowVisible(d.Handle());
    d.EndDialog(IDOK);
  };
  EXPECT_EQ(dialog.RunModal(nullptr), IDOK);
  EXPECT_FALSE(visibleAtInit);
  EXPECT_FALSE(visibleWhileBusy) << "a message was waiting, so the loop was not idle yet";
  EXPECT_TRUE(visibleLater);
  EXPECT_EQ(dialog.shows, 1);
}

TEST_F(FrameworkModal, WindowMinimisedBeforeTheQueueIsIdleIsNotShownAgain) {
  ProbeDialog dialog(IDD_FW_HIDDEN);
  BOOL visibleLater = TRUE;
  BOOL minimisedLater = FALSE;
  dialog.onInit = [&](ProbeDialog& d) {
    d.Post([&] {
      // A window going into the tray: minimised, then hidden.
      ShowWindow(d.Handle(), SW_MINIMIZE);
      ShowWindow(d.Handle(), SW_HIDE);
      SetTimer(d.Handle(), kTickTimer, 200, nullptr);
    });
  };
  dialog.onTick = [&](ProbeDialog& d) {
    visibleLater = IsWindowVisible(d.Handle());
    minimisedLater = IsIconic(d.Handle());
    d.EndDialog(IDOK);
  };
  EXPECT_EQ(dialog.RunModal(nullptr), IDOK);
  EXPECT_FALSE(visibleLater);
  EXPECT_TRUE(minimisedLater);
}

TEST_F(FrameworkModal, EndDialogDuringInitReturnsAtOnceWithoutShowing) {
  PlainWindow owner;
  ProbeDialog dialog(IDD_FW_HIDDEN);
  dialog.onInit = [](ProbeDialog& d) { d.EndDialog(42); };
  const DWORD start = GetTickCount();
  EXPECT_EQ(dialog.RunModal(owner.hwnd), 42);
  EXPECT_LT(Since(start), 1000u);
  EXPECT_EQ(dialog.shows, 0);
  EXPECT_EQ(dialog.Handle(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
}

TEST_F(FrameworkModal, OwnerIsDisabledWhileRunningAndRestoredAfter) {
  PlainWindow owner;
  ProbeDialog dialog(IDD_FW_HIDDEN);
  BOOL enabledDuring = TRUE;
  dialog.onInit = [&](ProbeDialog& d) {
    d.Post([&] {
      enabledDuring = IsWindowEnabled(owner.hwnd);
      d.EndDialog(IDOK);
    });
  };
  ASSERT_EQ(dialog.RunModal(owner.hwnd), IDOK);
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd));

  // An owner someone else had disabled is not enabled behind their back.
  EnableWindow(owner.hwnd, FALSE);
  ASSERT_EQ(dialog.RunModal(owner.hwnd), IDOK);
  EXPECT_FALSE(IsWindowEnabled(owner.hwnd));
}

TEST_F(FrameworkModal, MissingTemplateFailsAndLeavesTheOwnerAlone) {
  PlainWindow owner;
  ProbeDialog missing(IDD_FW_MISSING);
  EXPECT_EQ(missing.RunModal(owner.hwnd), -1);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
  EXPECT_FALSE(missing.CreateModeless(owner.hwnd));
  EXPECT_EQ(missing.Handle(), nullptr);
}

TEST_F(FrameworkModal, NestedModalReturnsToTheOuterLoop) {
  ProbeDialog outer(IDD_FW_HIDDEN);
  ProbeDialog inner(IDD_FW_HIDDEN);
  INT_PTR innerResult = 0;
  BOOL outerEnabledDuring = TRUE;
  BOOL outerEnabledAfter = FALSE;
  bool outerOpenAfter = false;
  inner.onInit = [&](ProbeDialog& d) {
    d.Post([&] {
      outerEnabledDuring = IsWindowEnabled(outer.Handle());
      d.EndDialog(8);
    });
  };
  outer.onInit = [&](ProbeDialog& d) {
    d.Post([&] {
      innerResult = inner.RunModal(d.Handle());
      outerOpenAfter = IsWindow(d.Handle()) && !d.HasEnded();
      outerEnabledAfter = IsWindowEnabled(d.Handle());
      PostMessageA(d.Handle(), kEndMessage, 9, 0);
    });
  };
  EXPECT_EQ(outer.RunModal(nullptr), 9);
  EXPECT_EQ(innerResult, 8);
  EXPECT_FALSE(outerEnabledDuring);
  EXPECT_TRUE(outerOpenAfter);
  EXPECT_TRUE(outerEnabledAfter);
}

TEST_F(FrameworkModal, EndDialogInAMessageSentFromAnotherThreadWakesTheLoop) {
  // A sent message is handled inside GetMessage, which then goes on waiting for a posted one.
  ProbeDialog dialog(IDD_FW_HIDDEN);
  std::thread sender;
  dialog.onInit = [&](ProbeDialog& d) {
    HWND hwnd = d.Handle();
    sender = std::thread([hwnd] {
      Sleep(150);
      SendMessageA(hwnd, kEndMessage, 5, 0);
    });
  };
  const DWORD start = GetTickCount();
  EXPECT_EQ(dialog.RunModal(nullptr), 5);
  EXPECT_LT(Since(start), 2000u);
  if (sender.joinable()) sender.join();
}

TEST_F(FrameworkModal, QuitMessageEndsTheLoopAndIsPostedAgain) {
  ProbeDialog dialog(IDD_FW_HIDDEN);
  HWND window = nullptr;
  dialog.onInit = [&](ProbeDialog& d) {
    window = d.Handle();
    d.Post([] { PostQuitMessage(17); });
  };
  const DWORD start = GetTickCount();
  dialog.RunModal(nullptr);
  EXPECT_LT(Since(start), 2000u);
  EXPECT_FALSE(IsWindow(window));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 17u);
}

TEST_F(FrameworkTable, CommandRowsMatchIdRangesAndNotificationCodes) {
  ProbeDialog dialog(IDD_FW_SHOWN);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  auto send = [&](int id, int code) {
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
  };
  send(IDC_FW_RANGE_FIRST - 1, BN_CLICKED);
  send(IDC_FW_RANGE_FIRST, BN_CLICKED);
  send(IDC_FW_RANGE_LAST, BN_DOUBLECLICKED);
  send(IDC_FW_RANGE_LAST + 1, BN_CLICKED);
  send(IDC_FW_EDIT, EN_CHANGE);
  send(IDC_FW_EDIT, EN_SETFOCUS);
  const std::vector<std::string> expected = {
      "range 5101 0", "range 5103 5", "change 5110 768", "other 5110 256"};
  EXPECT_EQ(dialog.commands, expected);
  EXPECT_EQ(dialog.controls.at(0), dialog.Item(IDC_FW_RANGE_FIRST));

  // A real notification from the control carries the control's handle.
  dialog.commands.clear();
  dialog.controls.clear();
  dialog.SetItemText(IDC_FW_EDIT, "typed");
  const auto change = std::find(dialog.commands.begin(), dialog.commands.end(), "change 5110 768");
  ASSERT_NE(change, dialog.commands.end());
  EXPECT_EQ(dialog.controls[change - dialog.commands.begin()], dialog.Item(IDC_FW_EDIT));
  EXPECT_EQ(std::count_if(dialog.commands.begin(), dialog.commands.end(),
                          [](const std::string& c) { return c.rfind("other 5110 768", 0) == 0; }),
            0);
  EXPECT_FALSE(dialog.HasEnded());
}

TEST_F(FrameworkTable, NotifyRowsAnswerThroughTheMessageResult) {
  ProbeDialog dialog(IDD_FW_SHOWN);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  auto notify = [&](UINT_PTR id, UINT code) {
    NMHDR header = {nullptr, id, code};
    return SendMessageA(dialog.Handle(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
  };
  EXPECT_EQ(notify(IDC_FW_EDIT, NM_CLICK), IDC_FW_EDIT + 1);
  EXPECT_EQ(notify(IDC_FW_RANGE_FIRST, NM_DBLCLK), -IDC_FW_RANGE_FIRST);
  // Another control's click and unlisted codes go to the dialog manager, which answers 0.
  EXPECT_EQ(notify(IDC_FW_RANGE_FIRST, NM_CLICK), 0);
  EXPECT_EQ(notify(IDC_FW_EDIT, NM_RCLICK), 0);
}

TEST_F(FrameworkTable, MessageRowsAnswerAndUnlistedInputFallsToTheDefaults) {
  HWND window = nullptr;
  {
    ProbeDialog dialog(IDD_FW_SHOWN);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    window = dialog.Handle();
    EXPECT_EQ(SendMessageA(window, kAnswerMessage, 0, 21), 42);
    EXPECT_EQ(SendMessageA(window, kAnswerMessage, 0, -5), -10);
    EXPECT_EQ(SendMessageA(window, WM_APP + 50, 0, 21), 0);

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(5199, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_TRUE(IsWindowVisible(window));

    // Cancel on a modeless dialog hides it; the object still owns the window.
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindow(window));
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FrameworkFilter, SeesKeysPostedToOurModalDialogOnce) {
  FilterApp app;
  ProbeDialog dialog(IDD_FW_HIDDEN);
  HWND window = nullptr;
  dialog.onInit = [&](ProbeDialog& d) {
    window = d.Handle();
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_F8, 0);
    PostMessageA(d.Handle(), kEndMessage, 1, 0);
  };
  app.body = [&] {
    EXPECT_EQ(dialog.RunModal(nullptr), 1);
    return false;
  };
  app.Start();
  EXPECT_EQ(app.Count(VK_F8), 1) << "a filter that acts on a key would act on it twice";
  ASSERT_NE(app.First(VK_F8), nullptr);
  EXPECT_EQ(app.First(VK_F8)->code, MSGF_DIALOGBOX);
  EXPECT_EQ(app.First(VK_F8)->hwnd, window);
  EXPECT_EQ(dialog.keys, std::vector<WPARAM>{VK_F8});
}

namespace {
HWND pokedBox = nullptr;

// Runs inside the message box's own loop: waits for the box, then types a key and closes it.
void CALLBACK PokeMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindMessageBox();
  if (box == nullptr) return;
  KillTimer(nullptr, id);
  pokedBox = box;
  PostMessageA(box, WM_KEYDOWN, VK_F8, 0);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}
}  // namespace

TEST_F(FrameworkFilter, SeesKeysPostedToASystemMessageBox) {
  FilterApp app;
  pokedBox = nullptr;
  int answer = 0;
  app.body = [&] {
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PokeMessageBox);
    answer = MessageBoxA(nullptr, "test", kBoxCaption, MB_OK);
    KillTimer(nullptr, timer);
    return false;
  };
  app.Start();
  EXPECT_EQ(answer, IDOK);
  ASSERT_NE(pokedBox, nullptr);
  EXPECT_EQ(app.Count(VK_F8), 1);
  ASSERT_NE(app.First(VK_F8), nullptr);
  EXPECT_EQ(app.First(VK_F8)->code, MSGF_DIALOGBOX);
  EXPECT_EQ(app.First(VK_F8)->hwnd, pokedBox);
}

TEST_F(FrameworkFilter, ConsumedKeysAreNotDispatched) {
  FilterApp app;
  app.consumed = {VK_F9, VK_ESCAPE};
  ProbeDialog dialog(IDD_FW_HIDDEN);
  dialog.onInit = [](ProbeDialog& d) {
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_F9, 0);
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(d.Handle(), WM_KEYDOWN, VK_F8, 0);
    PostMessageA(d.Handle(), kEndMessage, 5, 0);
  };
  INT_PTR result = 0;
  app.body = [&] {
    result = dialog.RunModal(nullptr);
    return false;
  };
  app.Start();
  EXPECT_EQ(result, 5) << "a consumed Escape must not cancel the dialog";
  EXPECT_EQ(dialog.cancels, 0);
  EXPECT_EQ(dialog.keys, std::vector<WPARAM>{VK_F8});
  EXPECT_GE(app.Count(VK_F9), 1);
}

TEST_F(FrameworkFilter, SeesMenuKeysAndTheChosenCommandReachesTheOwner) {
  FilterApp app;
  ProbeDialog dialog(IDD_FW_SHOWN);
  bool tracked = false;
  bool missingTracked = true;
  dialog.onInit = [&](ProbeDialog& d) {
    d.Post([&] {
      missingTracked = fw::TrackMenuResourcePopup(IDR_FW_MISSING_MENU, d.Handle(), 40, 40, 0);
      // The menu's own loop reads these: select the first item and choose it.
      PostMessageA(d.Handle(), WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(d.Handle(), WM_KEYDOWN, VK_RETURN, 0);
      tracked = fw::TrackMenuResourcePopup(IDR_FW_MENU, d.Handle(), 40, 40, TPM_LEFTALIGN);
      PostMessageA(d.Handle(), kEndMessage, 3, 0);
    });
  };
  INT_PTR result = 0;
  app.body = [&] {
    result = dialog.RunModal(nullptr);
    return false;
  };
  app.Start();
  EXPECT_EQ(result, 3);
  EXPECT_FALSE(missingTracked);
  EXPECT_TRUE(tracked);
  EXPECT_EQ(dialog.commands, std::vector<std::string>{"menu 5301 0"});
  ASSERT_NE(app.First(VK_DOWN), nullptr);
  EXPECT_EQ(app.First(VK_DOWN)->code, MSGF_MENU);
}

TEST_F(FrameworkFilter, MainLoopOffersMessagesAndRunReturnsTheExitCode) {
  FilterApp app;
  app.consumed = {VK_F9};
  app.exitCode = 23;
  ProbeDialog window(IDD_FW_SHOWN);
  app.body = [&] {
    if (!window.CreateModeless(nullptr)) return false;
    PostMessageA(window.Handle(), WM_KEYDOWN, VK_F9, 0);
    PostMessageA(window.Handle(), WM_KEYDOWN, VK_F8, 0);
    PostQuitMessage(0);
    return true;
  };
  EXPECT_EQ(app.Start(), 23);
  EXPECT_EQ(app.Count(VK_F9), 1);
  EXPECT_EQ(app.Count(VK_F8), 1);
  EXPECT_EQ(window.keys, std::vector<WPARAM>{VK_F8});
}

namespace {
HMENU LoadTestMenu() { return LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_FW_MENU)); }
}  // namespace

TEST_F(FrameworkMenu, CheckMarksFollowCommandsIncludingNestedItems) {
  fw::Menu menu;
  menu.Attach(LoadTestMenu());
  ASSERT_TRUE(menu.IsAttached());
  EXPECT_FALSE(menu.IsChecked(ID_FW_FIRST));
  EXPECT_TRUE(menu.IsChecked(ID_FW_SECOND));

  menu.Check(ID_FW_FIRST, true);
  menu.Check(ID_FW_SECOND, false);
  menu.Check(ID_FW_NESTED, true);
  EXPECT_TRUE(menu.IsChecked(ID_FW_FIRST));
  EXPECT_NE(GetMenuState(menu.Handle(), ID_FW_FIRST, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_FALSE(menu.IsChecked(ID_FW_SECOND));
  EXPECT_TRUE(menu.IsChecked(ID_FW_NESTED));
  EXPECT_FALSE(menu.IsChecked(5399)) << "an unknown command has no check mark";

  DestroyMenu(menu.Detach());
  EXPECT_FALSE(menu.IsChecked(ID_FW_FIRST));
}

TEST_F(FrameworkMenu, SetTextKeepsTheCommandAndSetsTheCheckMark) {
  fw::Menu menu;
  menu.Attach(LoadTestMenu());
  ASSERT_TRUE(menu.IsAttached());
  char text[32];

  menu.SetText(ID_FW_FIRST, "Renamed", true);
  EXPECT_EQ(menu.Text(ID_FW_FIRST, text, sizeof text), 7);
  EXPECT_STREQ(text, "Renamed");
  EXPECT_TRUE(menu.IsChecked(ID_FW_FIRST));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu.Handle(), 0), 0), static_cast<UINT>(ID_FW_FIRST));

  menu.SetText(ID_FW_SECOND, "Plain", false);
  EXPECT_FALSE(menu.IsChecked(ID_FW_SECOND));
  menu.SetText(ID_FW_NESTED, "Deep", false);
  EXPECT_EQ(menu.Text(ID_FW_NESTED, text, sizeof text), 4);
  EXPECT_STREQ(text, "Deep");

  // A clipped text must still end inside the given size, and nothing may land beyond it.
  char clipped[8];
  std::memset(clipped, '#', sizeof clipped);
  EXPECT_EQ(menu.Text(ID_FW_FIRST, clipped, 4), 3);
  EXPECT_EQ(std::string(clipped, 5), std::string("Ren\0#", 5));
  DestroyMenu(menu.Detach());

  std::strcpy(text, "stale");
  EXPECT_EQ(menu.Text(ID_FW_FIRST, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
}

namespace {
std::string ToolText(HWND tip, HWND parent, HWND control) {
  char buffer[80] = {};
  TOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = parent;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = buffer;
  SendMessageA(tip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
  return buffer;
}
}  // namespace

TEST_F(FrameworkToolTip, ToolsKeepCopiedTextsAndDestroyRemovesTheControl) {
  ProbeDialog dialog(IDD_FW_SHOWN);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  fw::ToolTip tip;
  EXPECT_FALSE(tip.AddTool(dialog.Item(IDOK), "early"));
  ASSERT_TRUE(tip.Create(dialog.Handle()));
  EXPECT_EQ(GetWindow(tip.Handle(), GW_OWNER), dialog.Handle());

  char text[16] = "Accept";
  EXPECT_TRUE(tip.AddTool(dialog.Item(IDOK), text));
  std::strcpy(text, "overwritten");
  EXPECT_TRUE(tip.AddTool(dialog.Item(IDCANCEL), "Close"));
  EXPECT_EQ(tip.ToolCount(), 2);
  EXPECT_EQ(ToolText(tip.Handle(), dialog.Handle(), dialog.Item(IDOK)), "Accept");
  EXPECT_EQ(ToolText(tip.Handle(), dialog.Handle(), dialog.Item(IDCANCEL)), "Close");

  const HWND control = tip.Handle();
  tip.Destroy();
  EXPECT_FALSE(IsWindow(control));
  EXPECT_EQ(tip.Handle(), nullptr);
  EXPECT_EQ(tip.ToolCount(), 0);
  EXPECT_FALSE(tip.AddTool(dialog.Item(IDOK), "late"));
}

TEST_F(FrameworkCenter, WindowCentreLandsOnTheScreenCentre) {
  const double screenX = GetSystemMetrics(SM_CXSCREEN) / 2.0;
  const double screenY = GetSystemMetrics(SM_CYSCREEN) / 2.0;
  const SIZE sizes[] = {{300, 200}, {301, 201}, {641, 99}};
  for (const SIZE& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
    PlainWindow window(size.cx, size.cy);
    fw::CenterOnDesktop(window.hwnd);
    RECT r;
    ASSERT_TRUE(GetWindowRect(window.hwnd, &r));
    EXPECT_EQ(r.right - r.left, size.cx);
    EXPECT_EQ(r.bottom - r.top, size.cy);
    EXPECT_NEAR((r.left + r.right) / 2.0, screenX, 1.0);
    EXPECT_NEAR((r.top + r.bottom) / 2.0, screenY, 1.0);
  }
}
