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

#endif
