// The benchmarks' clock and how they print a series of times: min, median and max.
#ifndef VARNEL_BENCH_FIGURES_H
#define VARNEL_BENCH_FIGURES_H

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const size_t n = samples.size();
  return n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
}

inline void PrintFigures(const std::string& label, const std::vector<double>& samples) {
  if (samples.empty()) {
    std::printf("%-52s no samples\n", label.c_str());
  } else {
    std::printf("%-52s n=%-3zu min %9.2f ms   median %9.2f ms   max %9.2f ms\n", label.c_str(), samples.size(),
                *std::min_element(samples.begin(), samples.end()), Median(samples),
                *std::max_element(samples.begin(), samples.end()));
  }
  std::fflush(stdout);
}

// Which driver ran which program on which Wine, so that figures can be told apart later.
inline void PrintMachine(const char* driver, const std::string& program) {
  using WineVersion = const char*(CDECL*)();
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto wineVersion = ntdll != nullptr ? reinterpret_cast<WineVersion>(
                                            reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
                                      : nullptr;
  SYSTEM_INFO system;
  GetNativeSystemInfo(&system);
  std::printf("%s: program %s\n", driver, program.c_str());
  std::printf("Wine %s, %lu processors, %zu-bit driver\n", wineVersion != nullptr ? wineVersion() : "(not Wine)",
              system.dwNumberOfProcessors, sizeof(void*) * 8);
  std::fflush(stdout);
}

#endif
