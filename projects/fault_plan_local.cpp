// The fault plan of the native file-fault tests: in the test's own process, set by the test.
#include "projects/fault_plan.h"

FaultPlan* ActiveFaultPlan() {
  static FaultPlan plan = {0, 0, -1, 0, 0, 0};
  return &plan;
}
