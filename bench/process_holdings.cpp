// What another process holds, and which measures of it this system answers truthfully.
#include "bench/process_holdings.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

// ---- GDI objects by the handle table ------------------------------------------------------------

// Wine keeps a process's GDI handle table in the process itself and publishes it where Windows
// publishes its shared table, in the PEB's GdiSharedHandleTable; an entry is in use while its type
// is not zero.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the entry of the handle table");
constexpr size_t kGdiHandleCount = 0x10000;
constexpr size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
// A brush's type in that table.
constexpr std::uint8_t kBrushType = 0x10;

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QuerySystem = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

FARPROC NtFunction(const char* name) { return GetProcAddress(GetModuleHandleA("ntdll.dll"), name); }

std::uintptr_t GdiTableAddress(HANDLE process) {
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(NtFunction("NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic = {};
  if (query == nullptr || query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) return 0;
  std::uintptr_t table = 0;
  SIZE_T read = 0;
  const auto field = reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset;
  if (!ReadProcessMemory(process, field, &table, sizeof(table), &read) || read != sizeof(table)) return 0;
  return table;
}

// Live entries of the table, or -1 when it cannot be read; sampleType receives the type of the
// entry of sample.
long GdiTableCount(HANDLE process, const void* sample = nullptr, std::uint8_t* sampleType = nullptr) {
  const std::uintptr_t table = GdiTableAddress(process);
  if (table == 0) return -1;
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  const SIZE_T bytes = entries.size() * sizeof(GdiHandleEntry);
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), bytes, &read) || read != bytes) {
    return -1;
  }
  if (sample != nullptr) *sampleType = entries[LOWORD(reinterpret_cast<std::uintptr_t>(sample))].type;
  long live = 0;
  for (const GdiHandleEntry& entry : entries) live += entry.type != 0 ? 1 : 0;
  return live;
}

// ---- USER objects by the windows ------------------------------------------------------------

struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountChildWindow(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM data) {
  auto* windows = reinterpret_cast<WindowCount*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != windows->processId) return TRUE;
  ++windows->count;
  EnumChildWindows(window, CountChildWindow, data);
  return TRUE;
}

long WindowsOfProcess(DWORD processId) {
  WindowCount windows{processId, 0};
  EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    CountTopLevelWindow(window, reinterpret_cast<LPARAM>(&windows));
  }
  return windows.count;
}

// ---- Kernel handles -------------------------------------------------------------------------

long ReportedHandles(HANDLE process) {
  DWORD handles = 0;
  return GetProcessHandleCount(process, &handles) ? static_cast<long>(handles) : -1;
}

// The process's entries in the system's list of open handles, or -1.
long ListedHandles(DWORD processId) {
  const auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(NtFunction("NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<unsigned char> buffer(1 << 16);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    const NTSTATUS status = query(static_cast<SYSTEM_INFORMATION_CLASS>(SystemHandleInformation), buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
    if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
      buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status != 0) return -1;
    const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < list->Count; ++i) count += list->Handle[i].OwnerPid == processId ? 1 : 0;
    return count;
  }
  return -1;
}

// ---- Memory -------------------------------------------------------------------------------------

PROCESS_MEMORY_COUNTERS_EX MemoryCounters(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
    memory = {};
  }
  return memory;
}

// ---- Which measures are true ------------------------------------------------------------------

bool guiResourcesCount = false;
bool gdiTableCounts = false;
bool handleCountCounts = false;
bool handleListCounts = false;

long GuiResources(HANDLE process, DWORD which) { return static_cast<long>(GetGuiResources(process, which)); }

const char* Verdict(bool counts) { return counts ? "counts them" : "does not count them: not used"; }

}  // namespace

void ProbeMeasures() {
  HANDLE self = GetCurrentProcess();
  const DWORD selfId = GetCurrentProcessId();
  constexpr int kMade = 10;

  const long gdiBefore = GuiResources(self, GR_GDIOBJECTS);
  const long tableBefore = GdiTableCount(self);
  HBRUSH brushes[kMade];
  for (int i = 0; i < kMade; ++i) brushes[i] = CreateSolidBrush(RGB(i, 2 * i, 3 * i));
  std::uint8_t type = 0;
  const long gdiWith = GuiResources(self, GR_GDIOBJECTS);
  const long tableWith = GdiTableCount(self, brushes[0], &type);
  for (HBRUSH brush : brushes) DeleteObject(brush);
  const long tableAfter = GdiTableCount(self);
  guiResourcesCount = gdiWith - gdiBefore == kMade;
  gdiTableCounts = tableBefore >= 0 && tableWith - tableBefore == kMade && tableAfter == tableBefore && type == kBrushType;
  std::printf("%d brushes made here: GetGuiResources %ld -> %ld (%s); GDI handle table %ld -> %ld -> %ld (%s)\n", kMade,
              gdiBefore, gdiWith, Verdict(guiResourcesCount), tableBefore, tableWith, tableAfter,
              Verdict(gdiTableCounts));

  const long reportedBefore = ReportedHandles(self);
  const long listedBefore = ListedHandles(selfId);
  HANDLE events[kMade];
  for (HANDLE& event : events) event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const long reportedWith = ReportedHandles(self);
  const long listedWith = ListedHandles(selfId);
  for (HANDLE event : events) CloseHandle(event);
  handleCountCounts = reportedBefore > 0 && reportedWith - reportedBefore == kMade;
  handleListCounts = listedBefore > 0 && listedWith - listedBefore == kMade;
  std::printf("%d events made here: GetProcessHandleCount %ld -> %ld (%s); system handle list %ld -> %ld (%s)\n", kMade,
              reportedBefore, reportedWith, Verdict(handleCountCounts), listedBefore, listedWith,
              Verdict(handleListCounts));
  std::fflush(stdout);
}

Holdings MeasureProcess(HANDLE process, DWORD processId) {
  Holdings now;
  if (guiResourcesCount) {
    now.gdiReported = GuiResources(process, GR_GDIOBJECTS);
    now.userReported = GuiResources(process, GR_USEROBJECTS);
  }
  if (gdiTableCounts) now.gdiTable = GdiTableCount(process);
  now.windows = WindowsOfProcess(processId);
  if (handleCountCounts) now.handlesReported = ReportedHandles(process);
  if (handleListCounts) now.handlesListed = ListedHandles(processId);
  // Memory never truly amounts to 0 bytes: a 0 is a field this system leaves empty.
  const PROCESS_MEMORY_COUNTERS_EX memory = MemoryCounters(process);
  if (memory.PrivateUsage != 0) now.privateReported = static_cast<long long>(memory.PrivateUsage);
  if (memory.PagefileUsage != 0) now.pagefileReported = static_cast<long long>(memory.PagefileUsage);
  now.privateCommitted = e2e::CommittedPrivateBytes(process);
  return now;
}

namespace {

std::string Count(long value) { return value < 0 ? "n/a" : std::to_string(value); }
std::string Kib(long long bytes) { return bytes < 0 ? "n/a" : std::to_string(bytes / 1024); }

}  // namespace

void PrintHoldings(const std::string& when, const Holdings& now) {
  std::printf("%-20s GDI %s/%s  USER %s  windows %s  handles %s/%s  KiB: private %s  pagefile %s  committed %s\n",
              when.c_str(), Count(now.gdiReported).c_str(), Count(now.gdiTable).c_str(), Count(now.userReported).c_str(),
              Count(now.windows).c_str(), Count(now.handlesReported).c_str(), Count(now.handlesListed).c_str(),
              Kib(now.privateReported).c_str(), Kib(now.pagefileReported).c_str(), Kib(now.privateCommitted).c_str());
  std::fflush(stdout);
}
