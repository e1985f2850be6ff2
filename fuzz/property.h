// What every fuzz target does when an input breaks a property it checks: stop at once, so that
// libFuzzer keeps the input as a crash to replay.
#ifndef VARNEL_FUZZ_PROPERTY_H
#define VARNEL_FUZZ_PROPERTY_H

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
  }
}

#endif
