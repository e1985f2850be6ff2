// The project-name prompt.
#include "projects/project_prompt.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "dialogs/input_box.h"
#include "projects/project_file.h"
#include "projects/project_name.h"
#include "state/board_state.h"

namespace {

constexpr const char* kNewProjectPrompt = "Create a new 31 button group of clipboard text messages.";
constexpr const char* kSaveAsPrompt = "Save this 31 button group of clipboard text messages as:";
constexpr const char* kInvalidFilename = "Invalid Filename";
constexpr const char* kFileExistsFormat =
    "File Exists:\n%s\n\nDo you want to overwrite this [31 button group of clipboard text messages] ?";

// The current project's name: its file name without the extension, as the box proposes it.
void ProposedName(char* name, std::size_t size) {
  const char* fileName = std::strrchr(CurrentProjectPath, '\\');
  CopyBounded(name, fileName != nullptr ? fileName + 1 : CurrentProjectPath, size);
  char* stop = std::strchr(name, '.');
  if (stop != nullptr) *stop = '\0';
}

}  // namespace

int PromptProjectName(const char* title, int mode) {
  const char* prompt = mode == 1 ? kNewProjectPrompt : kSaveAsPrompt;
  for (;;) {
    char name[kPathSize];
    ProposedName(name, sizeof(name));
    if (AskText(title, prompt, name, sizeof(name)) != 1) return 0;

    if (BuildProjectPath(name, ProgramFolder) != 1) {
      MessageBoxA(BoardHandle, kInvalidFilename, kProgramName, MB_ICONSTOP);
      continue;
    }
    if (ProjectFileExists(name)) {
      char question[kPathSize + 128];
      std::snprintf(question, sizeof(question), kFileExistsFormat, name);
      if (MessageBoxA(BoardHandle, question, kProgramName, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDNO) {
        continue;
      }
    }
    CopyBounded(CurrentProjectPath, name, kPathSize);
    return 1;
  }
}
