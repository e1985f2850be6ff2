// The entry point that every end-to-end suite shares: it clears away boards that an earlier suite
// left running, and keeps what the screen showed when a case first failed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/driver.h"

namespace {

// A path under the work root as the Linux side names it, for the person reading the log.
std::string AsLinuxPath(const std::string& path) {
  if (path.size() < 2 || (path[0] != 'Z' && path[0] != 'z') || path[1] != ':') return path;
  std::string linuxPath = path.substr(2);
  for (char& c : linuxPath) {
    if (c == '\\') c = '/';
  }
  return linuxPath;
}

// File names cannot hold the slash of a parameterised case's name, nor some other characters.
std::string AsFileName(std::string name) {
  for (char& c : name) {
    if (std::string("\\/:*?\"<>|").find(c) != std::string::npos) c = '_';
  }
  return name;
}

// Records at the first failure rather than at the end of the case: by then the case's sessions
// have closed their boards, and the screen no longer shows what went wrong.
class FailureRecorder : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { recorded_ = false; }

  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || recorded_) return;
    recorded_ = true;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : std::string("outside-cases");
    const std::string base = AsLinuxPath(e2e::RecordFailure(AsFileName(name)));
    std::printf("[ RECORDED ] the screen and its windows at the failure: %s.bmp %s.txt\n", base.c_str(),
                base.c_str());
    std::fflush(stdout);
  }

 private:
  bool recorded_ = false;
};

void EndLeftovers(const char* when) {
  const int ended = e2e::EndLeftoverPrograms();
  if (ended > 0) std::printf("[ LEFTOVER ] ended %d program(s) still running %s\n", ended, when);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FailureRecorder);
  EndLeftovers("before the suite");
  const int result = RUN_ALL_TESTS();
  EndLeftovers("after the suite");
  return result;
}
