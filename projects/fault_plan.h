// The plan of the fault-injecting file operations (projects/file_operations_faults.cpp): which
// operation fails, counted while the plan is armed. Natively it lives in the test's own process;
// in the board's test twin it is a block of memory shared with the end-to-end driver.
#ifndef VARNEL_PROJECTS_FAULT_PLAN_H
#define VARNEL_PROJECTS_FAULT_PLAN_H

#include <cstdint>

struct FaultPlan {
  // Operations are counted, and faults injected, only while this is not 0.
  std::int32_t armed;
  // Operations made while armed.
  std::int32_t operations;
  // The operation that fails, counting from 0; -1 for none.
  std::int32_t failAt;
  // 1: the next write writes half its bytes and reports that, as a disk that fills up would;
  // it is then set to 2.
  std::int32_t shortWrite;
  // Faults injected while armed, short writes included.
  std::int32_t injected;
  // 1: every replace is refused for good, armed or not, as a virtualised target or a network share
  // refuses it (access denied, though nobody holds the file). Such refusals are no injected faults.
  std::int32_t refuseReplaces;
};

// The name of the shared block that the driver creates before it starts the twin.
constexpr const char* kFaultPlanName = "VarnelFileFaultPlan";

// The plan in force, or null when there is none (the operations then never fail).
FaultPlan* ActiveFaultPlan();

#endif
