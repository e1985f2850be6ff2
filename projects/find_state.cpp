// What Find in Projects remembers between its runs.
#include "projects/find_state.h"

#include <cstring>
#include <new>

FindRecord FindState = {};

void ResetFindState() {
  ReleaseFindBuffer();
  std::memset(&FindState, 0, sizeof FindState);
  FindState.allProjects = 1;
}

int AllocateFindBuffer() {
  ReleaseFindBuffer();
  FindState.readBuffer = new (std::nothrow) ProjectPage();
  return FindState.readBuffer != nullptr ? 1 : 0;
}

void ReleaseFindBuffer() {
  delete FindState.readBuffer;
  FindState.readBuffer = nullptr;
}
