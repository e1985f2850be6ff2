// The fault plan of the board's test twin: a block that the end-to-end driver creates before it
// starts the program and changes between commands, so that one board can be made to fail at
// every operation of a command in turn.
#include "projects/fault_plan.h"

#include <windows.h>

FaultPlan* ActiveFaultPlan() {
  static FaultPlan* plan = nullptr;
  if (plan != nullptr) return plan;
  // The mapping stays open for the life of the process: the view needs it.
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kFaultPlanName);
  if (mapping == nullptr) return nullptr;
  plan = static_cast<FaultPlan*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FaultPlan)));
  if (plan == nullptr) CloseHandle(mapping);
  return plan;
}
