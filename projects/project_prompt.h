// Asking the user for a project name and turning it into a project path.
#ifndef VARNEL_PROJECTS_PROJECT_PROMPT_H
#define VARNEL_PROJECTS_PROJECT_PROMPT_H

constexpr const char* kNewProjectTitle = "Name of New Varnel Project";
constexpr const char* kSaveAsTitle = "Save Current Varnel Project As";

// Asks for a name (mode 1: new project, 2: save as) until it is valid and, for an existing file,
// confirmed. Returns 1 with CurrentProjectPath set to the new path, 0 when the user cancelled.
int PromptProjectName(const char* title, int mode);

#endif
