#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/rundata/TaskRunData.h"
#include "app/model/ExpModelTask.h"
#include "scores/ResponseSequence.h"

namespace qel {
namespace {

constexpr int32_t kLeftDown = 0x5, kLeftUp = 0x4, kRightDown = 0xA, kRightUp = 0x8;

struct Event {
  int32_t at;
  int32_t word;
};

class Sequence : public ::testing::Test {
 protected:
  void SetUp() override {
    m_task.TaskParam[1] = 20;
    m_task.TaskParam[2] = 60;
  }
  void Part(int p, const std::vector<Event>& events) {
    int32_t before = 0;
    int i = 0;
    for (const Event& e : events) {
      m_runData->category[p][i] = e.word;
      m_runData->reactionTime[p][i] = e.at - before;
      before = e.at;
      ++i;
    }
    m_task.trialCounts[p] = static_cast<uint32_t>(events.size());
  }
  CExpModelTask m_task;
  std::unique_ptr<CTaskRunData> m_runData = std::make_unique<CTaskRunData>();
};

TEST_F(Sequence, LengthWindowAndTitle) {
  struct Case {
    int32_t end;
    int total, maximum;
  };
  const Case cases[] = {{12345, 12345, 13}, {60000, 60000, 20}, {999, 999, 1}};
  for (const Case& c : cases) {
    Part(0, {{100, kLeftDown}, {200, kLeftUp}, {c.end, kLeftDown}});
    Part(1, {{50, kRightDown}, {90, kRightUp}});
    Part(2, {{70, kLeftDown}, {80, kLeftUp}});
    Part(3, {{80, kRightDown}, {95, kRightUp}});
    CResponseSequence s(&m_task, m_runData.get());
    EXPECT_EQ(s.TotalLength(), c.total);
    EXPECT_EQ(s.Maximum(), c.maximum);
    EXPECT_EQ(s.To(), c.maximum);
    EXPECT_EQ(s.FirstTap(), 50);
    EXPECT_EQ(s.Title(), "Total length = " + std::to_string(c.total) + "ms, First tap = 50ms");
  }
}

TEST_F(Sequence, FromStaysBelowToAndToWithinTheMaximum) {
  Part(0, {{100, kLeftDown}, {3000, kLeftUp}});
  CResponseSequence s(&m_task, m_runData.get());
  ASSERT_EQ(s.To(), 3);
  EXPECT_TRUE(s.StepFrom(-1));
  EXPECT_TRUE(s.StepFrom(-1));
  EXPECT_FALSE(s.StepFrom(-1));  // From stops at 2 with To 3
  EXPECT_EQ(s.From(), 2);
  EXPECT_FALSE(s.StepTo(1));  // To cannot fall to From
  EXPECT_FALSE(s.StepTo(-1));  // nor rise above the maximum
  EXPECT_TRUE(s.StepFrom(1));
  EXPECT_TRUE(s.StepTo(1));
  EXPECT_EQ(s.Window(), 1);
  EXPECT_EQ(SequenceX(1500, 10, 100, 1, 2), 60);
  EXPECT_EQ(SequenceX(1500, 10, 100, 2, 2), 10);  // no time scale: no division by zero
}

TEST_F(Sequence, OneHandPartsAndCriteria) {
  Part(0, {{0, kLeftDown}, {50, kLeftUp}, {60, kRightDown}, {90, kRightUp}, {200, kLeftDown}, {250, kLeftUp},
           {400, kLeftDown}, {450, kLeftUp}});
  Part(1, {{0, kRightDown}, {50, kRightUp}, {300, kRightDown}, {350, kRightUp}});
  // Part 3: the hands in turn; the right tap overlaps the left one by 10 of 100 ms (10 %).
  Part(2, {{0, kLeftDown}, {100, kLeftUp}, {90, kRightDown}, {190, kRightUp}, {300, kLeftDown}, {400, kLeftUp}});
  // Part 4: together; the overlaps are 50 % and 90 %.
  Part(3, {{0, kLeftDown}, {50, kRightDown}, {100, kLeftUp}, {150, kRightUp}, {300, kLeftDown}, {310, kRightDown},
           {400, kLeftUp}, {410, kRightUp}, {700, kLeftDown}, {710, kRightDown}, {800, kLeftUp}, {810, kRightUp}});
  CResponseSequence s(&m_task, m_runData.get());
  // Part 1: every right-key interval is invalid; N counts the left ones less one.
  ASSERT_EQ(s.Key(0, 1).GetCount(), 1);
  EXPECT_FALSE(s.Key(0, 1).IsValid(0));
  EXPECT_EQ(s.ValidTaps(0), 2);
  EXPECT_FALSE(s.Key(1, 0).GetCount() > 0 && s.Key(1, 0).IsValid(0));
  EXPECT_EQ(s.ValidTaps(1), 1);
  // Criteria off (0 %): any overlap invalidates in part 3; in part 4 every tap has exactly one partner.
  EXPECT_EQ(s.AllowOverlap(), 0);
  EXPECT_EQ(s.ValidTaps(2), 0);  // only the tap at 300 is valid: one tap, N 0
  EXPECT_EQ(s.ValidTaps(3), 2);
  // Criteria on: 20 % allowed in part 3, 60 % demanded in part 4.
  s.RebuildBimanual(true);
  EXPECT_EQ(s.AllowOverlap(), 20);
  EXPECT_EQ(s.DemandOverlap(), 60);
  EXPECT_EQ(s.ValidTaps(2), 2);
  EXPECT_EQ(s.ValidTaps(3), 1);  // the 50 % span no longer counts
}

TEST(SequenceWithoutTask, EverythingEmpty) {
  CResponseSequence s(nullptr, nullptr);
  EXPECT_EQ(s.TotalLength(), 0);
  EXPECT_EQ(s.FirstTap(), 0);
  EXPECT_EQ(s.To(), 0);
  for (int p = 0; p < kSequenceParts; ++p) EXPECT_EQ(s.ValidTaps(p), 0);
}

}  // namespace
}  // namespace qel
