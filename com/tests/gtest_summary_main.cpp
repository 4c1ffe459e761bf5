// The main function of the GoogleTest programs that run under Wine: only
// failures are shown, and the last line is the summary that the Wine runner
// counts, "N passed, M failed" (a skipped test counts as neither).
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  GTEST_FLAG_SET(brief, true);
  testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
  // A failure outside every test (a crash in a fixture's setup) counts too.
  const int failed = tests.failed_test_count() + (status != 0 && tests.failed_test_count() == 0);
  std::fflush(stdout);
  std::printf("%d passed, %d failed\n", tests.successful_test_count(), failed);
  return status;
}
