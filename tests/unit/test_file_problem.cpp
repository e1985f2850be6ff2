// Tests for turning the system's error codes into the cause shown under a file's name.
#include "projects/file_problem.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

std::string Described(const FileFailure& failure) {
  char text[96];
  DescribeFileFailure(failure, text, sizeof(text));
  return text;
}

TEST(FileProblem, WindowsCodesNameTheCausesAUserCanActOn) {
  const struct {
    unsigned long code;
    FileProblem problem;
  } rows[] = {{32, FileProblem::InUse},      {33, FileProblem::InUse},        {19, FileProblem::ReadOnly},
              {112, FileProblem::DiskFull},  {39, FileProblem::DiskFull},     {5, FileProblem::AccessDenied},
              {2, FileProblem::NotFound},    {3, FileProblem::NotFound},      {15, FileProblem::NotFound},
              {206, FileProblem::PathTooLong}, {267, FileProblem::NotAFile}, {1117, FileProblem::Other}};
  for (const auto& row : rows) {
    // The Windows code wins over the errno of the same failure: both sharing violations and
    // denied accesses arrive as EACCES.
    const FileFailure failure = FailureOfSystemError(row.code, EACCES);
    EXPECT_EQ(failure.problem, row.code == 1117 ? FileProblem::AccessDenied : row.problem) << row.code;
    EXPECT_EQ(FailureOfSystemError(row.code, 0).problem, row.problem) << row.code;
  }
}

TEST(FileProblem, ErrnoSpeaksWhereThereIsNoWindowsCode) {
  EXPECT_EQ(FailureOfSystemError(0, ENOSPC).problem, FileProblem::DiskFull);
  EXPECT_EQ(FailureOfSystemError(0, EROFS).problem, FileProblem::ReadOnly);
  EXPECT_EQ(FailureOfSystemError(0, EACCES).problem, FileProblem::AccessDenied);
  EXPECT_EQ(FailureOfSystemError(0, ENOENT).problem, FileProblem::NotFound);
  EXPECT_EQ(FailureOfSystemError(0, EISDIR).problem, FileProblem::NotAFile);
  EXPECT_EQ(FailureOfSystemError(0, 0).problem, FileProblem::Other);
}

TEST(FileProblem, OnlyExactlyOneProjectsSizeIsAProject) {
  EXPECT_EQ(ProblemOfProjectSize(0), FileProblem::TooShort);
  EXPECT_EQ(ProblemOfProjectSize(338975), FileProblem::TooShort);
  EXPECT_EQ(ProblemOfProjectSize(338976), FileProblem::None);
  EXPECT_EQ(ProblemOfProjectSize(338977), FileProblem::TooLong);
}

TEST(FileProblem, EveryCauseIsOneSentenceAndUnknownCodesAreShownAsNumbers) {
  EXPECT_EQ(Described({FileProblem::InUse, 32}), "The file is in use by another program.");
  EXPECT_EQ(Described({FileProblem::DiskFull, 112}), "The disk is full.");
  EXPECT_EQ(Described({FileProblem::AccessDenied, 5}), "Access to the file or its folder is denied.");
  EXPECT_EQ(Described({FileProblem::ReadOnly, 0}), "The file or its disk is read-only.");
  EXPECT_EQ(Described({FileProblem::Other, 1117}), "The system reported error 1117.");
  EXPECT_EQ(Described({FileProblem::Other, 0}), "The system gave no reason.");
  // Cut to the buffer, always terminated.
  char small[8];
  DescribeFileFailure({FileProblem::DiskFull, 0}, small, sizeof(small));
  EXPECT_EQ(std::string(small), "The dis");
}

}  // namespace
