#include "model/lwlog.h"

#include "logcapture.h"

#include "host/core/logcenter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using testsupport::LogCapture;

namespace {

constexpr int kErrorLevel = 40000;  // log4cxx ERROR

std::vector<LogCapture::Record> errors(const LogCapture& capture) {
  std::vector<LogCapture::Record> out;
  for (const auto& record : capture.records())
    if (record.level == kErrorLevel) out.push_back(record);
  return out;
}

// A function that recovers with a value: -1 for a negative input.
int checkedRoot(int value, int& evaluations) {
  LW_CHECK((++evaluations, value >= 0), return -1);
  int root = 0;
  while ((root + 1) * (root + 1) <= value) ++root;
  return root;
}

}  // namespace

// Holding and failing checks: the recovery runs exactly when the condition
// is false, the condition is evaluated once either way, and only a failure
// writes one error naming the condition, this file and the check's line.
TEST(LwCheck, recoversAndLogsOnlyWhenTheConditionFails) {
  struct Case {
    int input;
    int expected;
    bool fails;
  };
  const Case cases[] = {
      {0, 0, false},  {1, 1, false},  {15, 3, false},
      {16, 4, false}, {-1, -1, true}, {-100, -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    LogCapture capture;
    int evaluations = 0;
    EXPECT_EQ(checkedRoot(c.input, evaluations), c.expected);
    EXPECT_EQ(evaluations, 1);
    const std::vector<LogCapture::Record> logged = errors(capture);
    if (!c.fails) {
      EXPECT_TRUE(logged.empty());
      continue;
    }
    ASSERT_EQ(logged.size(), 1u);
    const std::string& message = logged[0].message;
    EXPECT_EQ(message.rfind("check failed: (++evaluations, value >= 0) (", 0), 0u) << message;
    EXPECT_NE(message.find("lwlog_test.cpp:26)"), std::string::npos) << message;
  }
}

// The recovery may leave or continue the loop around the check.
TEST(LwCheck, recoveryActsOnTheEnclosingStatement) {
  LogCapture capture;
  std::vector<int> kept;
  for (int i = 0; i < 10; ++i) {
    LW_CHECK(i % 3 != 0, continue);
    LW_CHECK(i < 7, break);
    kept.push_back(i);
  }
  EXPECT_EQ(kept, (std::vector<int>{1, 2, 4, 5}));
  // 0, 3 and 6 fail the first check, 7 the second.
  EXPECT_EQ(errors(capture).size(), 4u);
}

// With the log centre's switch off a failed check still recovers but
// writes nothing.
TEST(LwCheck, switchedOffLogStillRecovers) {
  LogCapture capture;
  utils::CLogCenter::instance()->setLogEnabled(false);
  int evaluations = 0;
  EXPECT_EQ(checkedRoot(-4, evaluations), -1);
  utils::CLogCenter::instance()->setLogEnabled(true);
  EXPECT_TRUE(errors(capture).empty());
}
