// Every dialog template and menu of the built board program: no identifier is used twice in one
// window, and every identifier lies in the range its window owns in resources/resource.h.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

struct IdRange {
  int first;
  int last;
};

// What each template may hold. A new window adds its row here together with its ids.
const std::map<int, std::vector<IdRange>> kTemplateIds = {
    {IDD_BOARD, {{IDC_DUMMY_DEFAULT, IDC_LAST_TEXT_FIELD}}},
    {IDD_RENAME_BUTTONS, {{IDC_FIRST_TEXT_FIELD, IDC_LAST_TEXT_FIELD}, {IDC_RENAME_OK, IDC_RENAME_CANCEL}}},
    {IDD_EDIT_TEXT_FIELD, {{IDC_EDITOR_OK, IDC_EDITOR_TEXT}}},
    {IDD_CONSOLIDATE, {{IDC_CONSOLIDATE_ALL, IDC_CONSOLIDATE_EXAMINED}}},
    {IDD_ABOUT, {{IDOK, IDOK}, {IDC_ABOUT_TEXT, IDC_ABOUT_TEXT}}},
    {IDD_HELP, {{IDC_HELP_DONE, IDC_HELP_TEXT}}},
    {IDD_FIND_IN_PROJECTS, {{IDC_FIND_WHAT_LABEL, IDC_FIND_TEXT}}},
    {IDD_INPUT_BOX, {{IDOK, IDOK}, {IDC_INPUT_PROMPT, IDC_INPUT_TEXT}}},
    {IDD_SPLASH, {}},
};
constexpr IdRange kCommandIds = {ID_FILE_NEW_PROJECT, ID_TRAY_EXIT};

// Statics that are never addressed carry -1, in either width.
bool IsUnnamed(int id) { return id == -1 || id == 0xFFFF; }

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(found)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class Resources : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* variable = std::getenv("VARNEL_PROGRAM");
    ASSERT_NE(variable, nullptr) << "VARNEL_PROGRAM names the board program";
    // CTest hands over the build's own path; Wine shows the Linux root as drive Z:.
    std::string program = variable;
    if (!program.empty() && program[0] == '/') program = "Z:" + program;
    for (char& c : program) c = c == '/' ? '\\' : c;
    module_ = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << program;
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  std::vector<int> Names(LPCSTR type) const {
    std::vector<int> names;
    EnumResourceNamesA(module_, type, CollectName, reinterpret_cast<LONG_PTR>(&names));
    return names;
  }
  HMODULE module_ = nullptr;
};

void CollectCommands(HMENU menu, std::vector<int>& ids) {
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    HMENU popup = GetSubMenu(menu, position);
    if (popup != nullptr) {
      CollectCommands(popup, ids);
      continue;
    }
    const UINT id = GetMenuItemID(menu, position);
    if (id != 0 && id != static_cast<UINT>(-1)) ids.push_back(static_cast<int>(id));
  }
}

}  // namespace

TEST_F(Resources, EveryTemplateHasUniqueIdsInItsOwnRanges) {
  const std::vector<int> templates = Names(MAKEINTRESOURCEA(5));  // RT_DIALOG
  ASSERT_FALSE(templates.empty());
  for (int templateId : templates) {
    SCOPED_TRACE("template " + std::to_string(templateId));
    const auto allowed = kTemplateIds.find(templateId);
    ASSERT_NE(allowed, kTemplateIds.end()) << "a template without its row of identifier ranges";
    HWND dialog = CreateDialogParamA(module_, MAKEINTRESOURCEA(templateId), nullptr, InertDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    std::set<int> seen;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      if (IsUnnamed(id)) continue;
      EXPECT_TRUE(seen.insert(id).second) << "identifier " << id << " used twice";
      bool inRange = false;
      for (const IdRange& range : allowed->second) inRange = inRange || (id >= range.first && id <= range.last);
      EXPECT_TRUE(inRange) << "identifier " << id << " outside the template's ranges";
    }
    DestroyWindow(dialog);
  }
}

TEST_F(Resources, EveryMenuHasUniqueCommandsInTheCommandRange) {
  const std::vector<int> menus = Names(MAKEINTRESOURCEA(4));  // RT_MENU
  EXPECT_EQ(menus, (std::vector<int>{IDR_BOARD_MENU, IDR_RENAME_MENU, IDR_SLOT_MENU, IDR_TRAY_MENU}));
  for (int menuId : menus) {
    SCOPED_TRACE("menu " + std::to_string(menuId));
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(menuId));
    ASSERT_NE(menu, nullptr);
    std::vector<int> ids;
    CollectCommands(menu, ids);
    DestroyMenu(menu);
    std::set<int> seen;
    for (int id : ids) {
      EXPECT_TRUE(seen.insert(id).second) << "command " << id << " used twice";
      EXPECT_TRUE(id >= kCommandIds.first && id <= kCommandIds.last) << "command " << id;
    }
  }
}
