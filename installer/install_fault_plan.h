// The plan that an end-to-end test hands to the fault-injecting twin of INSTALL.EXE in named
// shared memory. Every process of the twin that finds the block counts its file operations in it,
// one count for all of them (the relay and the copy it starts share it), writes down what each
// operation was, and fails the one whose number is failAt; 0 fails none.
#ifndef VARNEL_INSTALLER_INSTALL_FAULT_PLAN_H
#define VARNEL_INSTALLER_INSTALL_FAULT_PLAN_H

constexpr const char* kFaultPlanName = "VarnelInstallFaultPlan";
constexpr int kFaultPlanRecords = 96;
constexpr int kFaultPlanRecordSize = 400;

struct FaultPlan {
  // long: the type of the interlocked calls on every Windows target.
  volatile long failAt;
  volatile long count;
  volatile long injected;
  // What operation n did, as "verb path" or "verb path -> path", in record n - 1.
  char operations[kFaultPlanRecords][kFaultPlanRecordSize];
};

#endif
