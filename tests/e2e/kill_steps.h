// What the kill cases share: their round count and seed from the environment, and a wait finer
// than Sleep for choosing the moment of the kill.
#ifndef VARNEL_TESTS_E2E_KILL_STEPS_H
#define VARNEL_TESTS_E2E_KILL_STEPS_H

#include <windows.h>

#include <cstdlib>

namespace e2e {

inline int NumberFromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Spins rather than sleeps: Sleep's granularity is coarser than a save or a consolidation's steps.
inline void SpinFor(double milliseconds) {
  LARGE_INTEGER start;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&start);
  do {
    QueryPerformanceCounter(&now);
  } while (Milliseconds(start, now) < milliseconds);
}

}  // namespace e2e

#endif
