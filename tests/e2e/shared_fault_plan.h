// The plan of the board's fault-injecting twin (QUILLOW_FAULTS.EXE), in memory shared with it;
// made before any twin starts.
#ifndef VARNEL_TESTS_E2E_SHARED_FAULT_PLAN_H
#define VARNEL_TESTS_E2E_SHARED_FAULT_PLAN_H

#include <windows.h>

#include "projects/fault_plan.h"

namespace e2e {

class SharedPlan {
 public:
  SharedPlan()
      : mapping_(
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FaultPlan), kFaultPlanName)),
        plan_(mapping_ != nullptr ? static_cast<FaultPlan*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0))
                                  : nullptr) {
    if (plan_ != nullptr) *plan_ = {0, 0, -1, 0, 0, 0};
  }
  ~SharedPlan() {
    if (plan_ != nullptr) UnmapViewOfFile(plan_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
  }
  SharedPlan(const SharedPlan&) = delete;
  SharedPlan& operator=(const SharedPlan&) = delete;

  bool Valid() const { return plan_ != nullptr; }
  void Arm(int failAt, bool shortWrite) {
    plan_->operations = 0;
    plan_->injected = 0;
    plan_->failAt = failAt;
    plan_->shortWrite = shortWrite ? 1 : 0;
    plan_->armed = 1;
  }
  FaultPlan Disarm() {
    plan_->armed = 0;
    return *plan_;
  }
  // Every replace refused for good, as on a virtualised target, armed or not.
  void RefuseReplaces(bool refuse) { plan_->refuseReplaces = refuse ? 1 : 0; }

 private:
  HANDLE mapping_;
  FaultPlan* plan_;
};

}  // namespace e2e

#endif
