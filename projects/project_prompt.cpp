// The project-name prompt.
#include "projects/project_prompt.h"

// The input box that asks for the name has not been built yet, so the prompt cannot be
// answered: it reports a cancel, and nothing is saved under a new name.
int PromptProjectName(const char*, int) { return 0; }
