// Publishing a run's trial list into the host.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

std::vector<std::array<char, kTrialCodeSize>> MakeCodes(int n, const char* prefix) {
  std::vector<std::array<char, kTrialCodeSize>> codes(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) std::snprintf(codes[i].data(), kTrialCodeSize, "%s%d", prefix, i + 1);
  return codes;
}

const char (*AsList(const std::vector<std::array<char, kTrialCodeSize>>& v))[kTrialCodeSize] {
  return reinterpret_cast<const char(*)[kTrialCodeSize]>(v.data());
}

class TrialList : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_b.InitAndSetup()); }
  std::string Slot(uint32_t i) const { return m_b.host.trialList[i]; }
  BoundTask m_b;
};

TEST_F(TrialList, TestListRepeatsUntilThePartIsFull) {
  const auto codes = MakeCodes(3, "T");
  m_b.record.testTrialList = AsList(codes);
  m_b.record.testTrialCount = 3;
  m_b.task.PublishTrialList();  // part 1 has 10 trials
  ASSERT_EQ(m_b.host.trialCount, 10u);
  const char* expected[] = {"T1", "T2", "T3", "T1", "T2", "T3", "T1", "T2", "T3", "T1"};
  for (uint32_t i = 0; i < 10; ++i) EXPECT_EQ(Slot(i), expected[i]) << i;
  EXPECT_EQ(m_b.task.m_trialCount, 3u);
  EXPECT_EQ(m_b.task.m_trialList, AsList(codes));
}

TEST_F(TrialList, AnswerWordAddsSlots) {
  const auto codes = MakeCodes(4, "T");
  m_b.record.testTrialList = AsList(codes);
  m_b.record.testTrialCount = 4;
  m_b.record.answerWord = 2;
  m_b.context.currentPart = 1;  // 12 trials
  m_b.task.PublishTrialList();
  EXPECT_EQ(m_b.host.trialCount, 14u);
  EXPECT_EQ(Slot(13), "T2");
}

TEST_F(TrialList, PracticeListIsPublishedOnce) {
  const auto test = MakeCodes(3, "T");
  const auto practice = MakeCodes(4, "P");
  m_b.record.testTrialList = AsList(test);
  m_b.record.testTrialCount = 3;
  m_b.record.practiceTrialList = AsList(practice);
  m_b.record.practiceTrialCount = 4;
  m_b.host.practiceFlag = 1;
  ASSERT_TRUE(m_b.task.SetupRun(&m_b.context, 0));
  m_b.record.testTrialList = AsList(test);
  m_b.record.testTrialCount = 3;
  m_b.record.practiceTrialList = AsList(practice);
  m_b.record.practiceTrialCount = 4;
  m_b.task.PublishTrialList();
  EXPECT_EQ(m_b.host.trialCount, 4u);
  EXPECT_EQ(Slot(0), "P1");
  EXPECT_EQ(Slot(3), "P4");
}

TEST_F(TrialList, CapsAt2000Codes) {
  const auto codes = MakeCodes(2500, "C");
  m_b.record.testTrialList = AsList(codes);
  m_b.record.testTrialCount = 2500;
  m_b.context.TaskPartTrials[0] = 2500;
  m_b.host.trialList[1999][0] = 0;
  m_b.task.PublishTrialList();
  EXPECT_EQ(m_b.host.trialCount, 2000u);
  EXPECT_EQ(Slot(0), "C1");
  EXPECT_EQ(Slot(1999), "C2000");
}

TEST_F(TrialList, CapAppliesToTheListBeforeRepeating) {
  const auto codes = MakeCodes(2500, "C");
  m_b.host.practiceFlag = 1;
  ASSERT_TRUE(m_b.task.SetupRun(&m_b.context, 0));
  m_b.record.practiceTrialList = AsList(codes);
  m_b.record.practiceTrialCount = 2500;
  m_b.task.PublishTrialList();
  EXPECT_EQ(m_b.host.trialCount, 2000u);
  EXPECT_EQ(Slot(1999), "C2000");
}

TEST_F(TrialList, WithoutCodesOnlyTheCountIsPublished) {
  m_b.context.TaskPartTrials[0] = 3000;
  m_b.record.answerWord = 1;
  m_b.task.PublishTrialList();
  EXPECT_EQ(m_b.host.trialCount, 3001u) << "a count without codes is passed on as it is";
}

TEST_F(TrialList, SecondListGoesToTheHost) {
  const auto codes = MakeCodes(3, "T");
  const auto second = MakeCodes(2, "S");
  m_b.record.testTrialList = AsList(codes);
  m_b.record.testTrialCount = 3;
  m_b.record.secondList = AsList(second);
  m_b.record.secondListCount = 2;
  m_b.task.PublishTrialList();
  EXPECT_EQ(m_b.host.secondList, AsList(second));
  EXPECT_EQ(m_b.host.secondCount, 2u);
}

TEST(TrialListUnbound, NothingWithoutHostAndZeroWithoutRecord) {
  CoreTask task;
  task.PublishTrialList();  // no host: nothing happens
  FakeTaskHost host;
  host.trialCount = 77;
  FakeTaskLibrary record;
  record.host = &host;
  ASSERT_TRUE(task.Init(&record));
  task.PublishTrialList();  // a record but no run context: no slots
  EXPECT_EQ(host.trialCount, 0u);
}

}  // namespace

}  // namespace qel
