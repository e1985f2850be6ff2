// Consolidate Projects as a user meets it: choosing projects by clicking, the consolidation of two
// projects into the order of their names, and the files that stop one before it writes anything.
#include <gtest/gtest.h>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

// A project whose first slots carry these names; every slot's text names its origin.
std::string ProjectNamed(const std::string& tag, std::initializer_list<const char*> names) {
  std::string captions[33];
  std::string texts[33];
  int slot = 0;
  for (const char* name : names) {
    captions[slot] = name;
    texts[slot] = tag + " " + std::to_string(slot);
    ++slot;
  }
  return ProjectBytes(captions, texts);
}

class Consolidate : public ::testing::Test {
 protected:
  // Alpha is current; First and Second are the projects to consolidate.
  void SetUp() override {
    ASSERT_TRUE(WriteWholeFile(session_.Folder() + "First.vrl", ProjectNamed("F", {"Zebra", "apple", "Mango"})));
    ASSERT_TRUE(WriteWholeFile(session_.Folder() + "Second.vrl", ProjectNamed("S", {"banana"})));
    alpha_ = session_.UseCurrentProject("Alpha.vrl", TaggedProject("A"));
    SetSetting("Options", "UseSystemTray", "0");
    ASSERT_TRUE(session_.Start());
  }
  void TearDown() override {
    // A dialog left open by a failed case would hold the board's close back.
    if (dialog_ != nullptr && IsWindow(dialog_)) PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(1165, BN_CLICKED), 0);
    EXPECT_TRUE(session_.CloseAndWait());
  }

  HWND Open() {
    PostMessageA(session_.Board(), WM_COMMAND, 32780, 0);
    dialog_ = WaitForWindowByCaption(session_.Program().id, "Consolidate Projects", 5000);
    return dialog_;
  }
  std::string FileName(int index) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(GetDlgItem(dialog_, 1160), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    char narrow[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
  }
  // Clicks the All Projects entry with this name, as a user would.
  void ClickProject(const std::string& name) {
    HWND list = GetDlgItem(dialog_, 1160);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      if (FileName(static_cast<int>(i)) != name) continue;
      const RECT client = ClientRectOnScreen(list);
      ClickAt(client.left + 20, client.top + static_cast<int>(i * height + height / 2));
      return;
    }
    ADD_FAILURE() << name << " is not listed";
  }
  LRESULT ChosenCount() { return SendMessageA(GetDlgItem(dialog_, 1163), LB_GETCOUNT, 0, 0); }

  BoardSession session_{"consolidate"};
  std::string alpha_;
  HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(Consolidate, ClickedProjectsAreDealtTheirSlotsInTheOrderOfTheNames) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(Activate(dialog_));
  // The arrow keys only select; a click chooses at once, and a second click keeps one entry.
  SetFocus(GetDlgItem(dialog_, 1160));
  ClickProject("First.vrl");
  ASSERT_TRUE(WaitUntil([&] { return ChosenCount() == 1; }, 3000));
  PressKey(VK_DOWN);
  ClickProject("First.vrl");
  ClickProject("Second.vrl");
  ASSERT_TRUE(WaitUntil([&] { return ChosenCount() == 2; }, 3000));
  EXPECT_FALSE(WaitUntil([&] { return ChosenCount() > 2; }, 500));
  Screenshot("consolidate-projects", dialog_);

  PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(1164, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog_); }, 10000));
  const std::string first = ReadWholeFile(session_.Folder() + "First.vrl");
  EXPECT_EQ(NameInFile(first, 0), "apple");
  EXPECT_EQ(TextInFile(first, 0), "F 1");
  EXPECT_EQ(NameInFile(first, 1), "banana");
  EXPECT_EQ(NameInFile(first, 2), "Mango");
  EXPECT_EQ(NameInFile(first, 3), "Zebra");
  EXPECT_EQ(ReadWholeFile(session_.Folder() + "Second.vrl"), std::string(kProjectBytes, '\0'));
  EXPECT_TRUE(Holds(alpha_, TaggedProject("A")));
  EXPECT_EQ(FolderContents(session_.Folder()).size(), 3u) << "a temporary or backup file was left";
}

// Each of these stops the consolidation before anything is written and names its file: a
// temporary file in the way (held by another program), a read-only project (whose mark stays), a
// project that cannot be read (held by another program).
TEST_F(Consolidate, AFileInTheWayOrAReadOnlyOrUnreadableProjectChangesNothingAndNamesTheFile) {
  const std::string held = session_.Folder() + "First.tmp";
  const std::string second = session_.Folder() + "Second.vrl";
  ASSERT_TRUE(WriteWholeFile(held, "someone else's"));
  auto expected = FolderContents(session_.Folder());
  expected.erase("Alpha.vrl");
  // Chooses both projects, presses OK and answers the message; returns its text.
  const auto consolidate = [&]() -> std::string {
    if (Open() == nullptr || !Activate(dialog_)) return "no dialog";
    ClickProject("First.vrl");
    ClickProject("Second.vrl");
    if (!WaitUntil([&] { return ChosenCount() == 2; }, 3000)) return "not chosen";
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(1164, BN_CLICKED), 0);
    HWND box = WaitForMessageBox(session_.Program().id, "Varnel", 10000);
    if (box == nullptr) return "no message";
    const std::string text = MessageBoxText(box);
    AnswerMessageBox(box, "OK");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog_); }, 5000));
    return text;
  };
  const auto unchanged = [&] {
    auto after = FolderContents(session_.Folder());
    EXPECT_EQ(after.erase("Alpha.vrl"), 1u);
    EXPECT_EQ(after, expected);
  };

  {
    HeldFile lock(held);
    ASSERT_TRUE(lock.Held());
    // The board's unsaved text is saved before the consolidation and shown again after it.
    SendMessageA(session_.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed before consolidating"));
    EXPECT_EQ(consolidate(), "Error saving:\n" + held + "\nAnother file already has this name.");
  }
  unchanged();
  EXPECT_EQ(SlotTextInFile(alpha_, 0), "typed before consolidating");
  EXPECT_EQ(WindowText(session_.Item(1071)), "typed before consolidating");
  // A leftover that no program holds is not overwritten either.
  EXPECT_EQ(consolidate(), "Error saving:\n" + held + "\nAnother file already has this name.");
  unchanged();
  ASSERT_TRUE(DeleteFileA(held.c_str()));
  expected.erase("First.tmp");

  ASSERT_TRUE(SetFileAttributesA(second.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(consolidate(), "Error saving:\n" + second + "\nThe file or its disk is read-only.");
  EXPECT_NE(GetFileAttributesA(second.c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << "the read-only mark was cleared";
  unchanged();
  ASSERT_TRUE(SetFileAttributesA(second.c_str(), FILE_ATTRIBUTE_NORMAL));

  HeldFile unreadable(second);
  ASSERT_TRUE(unreadable.Held());
  EXPECT_EQ(consolidate(), "Unable to open:\n" + second + "\nThe file is in use by another program.");
  unreadable.Release();
  unchanged();
}
