// Binary interface details that the static assertions cannot express.
#include <gtest/gtest.h>

#include <cstring>

#include "include/qel/DrawContext.h"
#include "include/qel/ModelTask.h"
#include "include/qel/TaskTables.h"

namespace qel {

namespace {

TEST(ModelTaskRecord, WordsBlockIsContiguousAndOrdered) {
  QelModelTask t{};
  t.w.TaskType = 1;
  t.w.TaskIntHigh = 18;
  const uint32_t* block = t.w.data();
  EXPECT_EQ(block[0], 1u);
  EXPECT_EQ(block[QelTaskWords::kCount - 1], 18u);
  unsigned char bytes[sizeof(QelModelTask)];
  std::memcpy(bytes, &t, sizeof t);
  EXPECT_EQ(bytes[84], 1);
  EXPECT_EQ(bytes[152], 18);
}

struct CaptionCase {
  uint32_t flags;
  bool alternative;
  int code;
  bool switchA;
  bool switchB;
  int column;
};

class VariableDefCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(VariableDefCaptions, CaptionCodeAndColumn) {
  const CaptionCase& c = GetParam();
  TaskVariableDef def{"X", nullptr, "%.0f", "x", c.flags, 1};
  EXPECT_EQ(def.GetCaptionCode(c.alternative), c.code);
  EXPECT_EQ(def.GetColumn(c.switchA, c.switchB), c.column);
}

INSTANTIATE_TEST_SUITE_P(Rows, VariableDefCaptions,
                         ::testing::Values(CaptionCase{0x3002b, false, 50, true, false, 3},  // extended SD row
                                           CaptionCase{0x3002b, true, 51, false, false,
                                                       0},  // extended row needs switch A
                                           CaptionCase{0x50049, false, 44, false, false, 5},  // Z row
                                           CaptionCase{0x50049, true, 46, false, true, 0},  // Z row hidden by switch B
                                           CaptionCase{0x0000e, false, 17, false, false, 0},  // type 14 counts as 0
                                           CaptionCase{0x10001, true, 20, false, true, 1}));  // plain count row

TEST(ColorRef, ChannelOrderIsBlueGreenRed) {
  EXPECT_EQ(QelRGB(0x11, 0x22, 0x33), 0x00332211u);
  EXPECT_EQ(QelGetR(0x00332211u), 0x11);
  EXPECT_EQ(QelGetB(0x00332211u), 0x33);
}

}  // namespace

}  // namespace qel
