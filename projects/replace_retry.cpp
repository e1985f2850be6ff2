// The pauses between the tries of a refused replace.
#include "projects/replace_retry.h"

namespace {

constexpr unsigned kFirstPauseMs = 50;
constexpr unsigned kLongestPauseMs = 800;

}  // namespace

unsigned ReplaceRetryPauseMs(int attempt, unsigned waitedMs) {
  if (attempt < 1 || waitedMs >= kReplaceRetryBudgetMs) return 0;
  unsigned pause = kFirstPauseMs;
  for (int doubling = 1; doubling < attempt && pause < kLongestPauseMs; ++doubling) pause *= 2;
  if (pause > kLongestPauseMs) pause = kLongestPauseMs;
  const unsigned left = kReplaceRetryBudgetMs - waitedMs;
  return pause < left ? pause : left;
}
