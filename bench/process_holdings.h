// What another process holds: GDI and USER objects, windows, kernel handles and private memory,
// each by the best measure that this system really answers (under Wine several of the usual calls
// are stubs that answer 0; those figures are marked unavailable rather than taken as 0).
#ifndef VARNEL_BENCH_PROCESS_HOLDINGS_H
#define VARNEL_BENCH_PROCESS_HOLDINGS_H

#include <windows.h>

#include <string>

struct Holdings {
  long gdiReported = -1;        // GetGuiResources(GR_GDIOBJECTS)
  long userReported = -1;       // GetGuiResources(GR_USEROBJECTS)
  long gdiTable = -1;           // live entries of the process's GDI handle table
  long windows = -1;            // windows of the process: top-level, children, message-only
  long handlesReported = -1;    // GetProcessHandleCount
  long handlesListed = -1;      // the process's entries in the system's handle list
  long long privateReported = -1;   // PROCESS_MEMORY_COUNTERS_EX.PrivateUsage
  long long pagefileReported = -1;  // PROCESS_MEMORY_COUNTERS.PagefileUsage
  long long privateCommitted = -1;  // committed private regions of its address space
};

// Works out once which measures this system answers truthfully, by making objects in this very
// process and watching each measure count them; prints what it found.
void ProbeMeasures();

Holdings MeasureProcess(HANDLE process, DWORD processId);

void PrintHoldings(const std::string& when, const Holdings& now);

#endif
