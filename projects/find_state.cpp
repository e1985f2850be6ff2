// What Find in Projects remembers between its runs.
#include "projects/find_state.h"

#include <new>

namespace {

FindRecord FreshFindState() {
  FindRecord fresh = {};
  fresh.allProjects = 1;
  return fresh;
}

}  // namespace

// Already as the start-up leaves it: the board takes commands while it is still starting, so
// Find can open before the start-up step that resets it.
FindRecord FindState = FreshFindState();

void ResetFindState() {
  ReleaseFindBuffer();
  FindState = FreshFindState();
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
