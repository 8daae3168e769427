// The information command: information by type, kind and index.
#include <gtest/gtest.h>

#include <cstring>

#include "include/qel/TaskEntry.h"
#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

struct InfoCase {
  int type;
  int kind;
  int index;
  int32_t in;  // *out on entry
  bool ok;
  int32_t value;  // expected number (when ok and not a pointer)
};

class InfoNumbers : public ::testing::TestWithParam<InfoCase> {};

TEST_P(InfoNumbers, Answers) {
  const InfoCase& c = GetParam();
  CoreTask task;
  int32_t out = c.in;
  EXPECT_EQ(task.DispatchCommand(kCmdGetInfo, c.type, c.kind, c.index, &out), c.ok);
  if (c.ok) {
    EXPECT_EQ(out, c.value);
  }
}

// Through a wide slot the same numbers fill the whole intptr_t (whatever
// stood in its high half before), and the switches are read from it.
TEST_P(InfoNumbers, AnswersThroughAWideSlot) {
  const InfoCase& c = GetParam();
  CoreTask task;
  const bool readsSwitches = c.type == 6 && (c.kind == 6 || c.kind == 7);
  const intptr_t before = readsSwitches ? c.in : static_cast<intptr_t>(0x5A5A5A5A5A5A5A5Aull);
  intptr_t slot = before;
  EXPECT_EQ(
      task.DispatchCommand(kCmdGetInfo, c.type | kInfoWideAnswer, c.kind, c.index, reinterpret_cast<int32_t*>(&slot)),
      c.ok);
  if (c.ok) {
    EXPECT_EQ(slot, static_cast<intptr_t>(c.value));
  } else {
    EXPECT_EQ(slot, before) << "a failed question writes nothing";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, InfoNumbers,
    ::testing::Values(InfoCase{0, 0, 0, 0, true, 1},                                   // library version
                      InfoCase{3, 0, 0, 0, true, 2},                                   // version count
                      InfoCase{4, 0, 0, 0, true, 2},                                   // part count
                      InfoCase{3, 2, 1, 0, false, 0},                                  // no such kind
                      InfoCase{6, 0, 0, 0, true, 4},                                   // variable count
                      InfoCase{6, 5, 1, 0, true, 0x3002b},                             // flags of variable 1
                      InfoCase{6, 6, 1, 0, true, 50},                                  // caption code
                      InfoCase{6, 6, 1, 1, true, 51},                                  // alternative caption code
                      InfoCase{6, 6, 2, 0, true, 44},                                  // Z row
                      InfoCase{6, 6, 2, 1, true, 46}, InfoCase{6, 6, 3, 1, true, 17},  // type 14 counts as 0
                      InfoCase{6, 7, 1, 1, true, 3},                                   // extended row, switch A on
                      InfoCase{6, 7, 1, 0, true, 0},                                   // switch A off
                      InfoCase{6, 7, 2, 0, true, 5},                                   // Z row
                      InfoCase{6, 7, 2, 2, true, 0},                                   // switch B hides it
                      InfoCase{6, 7, 0, 3, true, 1}, InfoCase{6, 8, 0, 0, true, 11},   // caption count
                      InfoCase{6, 5, 4, 0, false, 0},                                  // index not below the count
                      InfoCase{6, 1, -1, 0, false, 0}, InfoCase{6, 10, 0, 0, false, 0}, InfoCase{5, 0, 0, 0, false, 0},
                      InfoCase{7, 0, 0, 0, false, 0}, InfoCase{-1, 0, 0, 0, false, 0}));

// Pointer answers fill a pointer-wide slot.
intptr_t AskPointer(CTaskBase& task, int type, int kind, int index, bool* ok) {
  intptr_t slot = 0;
  *ok = task.DispatchCommand(kCmdGetInfo, type | kInfoWideAnswer, kind, index, reinterpret_cast<int32_t*>(&slot));
  return slot;
}

TEST(InfoPointers, TablesAndNames) {
  CoreTask task;
  bool ok = false;
  EXPECT_EQ(AskPointer(task, 1, 0, 0, &ok), reinterpret_cast<intptr_t>(&g_ModelDefault));
  EXPECT_TRUE(ok);
  EXPECT_EQ(AskPointer(task, 2, 0, 0, &ok), 0);
  EXPECT_TRUE(ok);
  EXPECT_STREQ(reinterpret_cast<const char*>(AskPointer(task, 3, 1, 2, &ok)), "Second");
  EXPECT_TRUE(ok);
  EXPECT_STREQ(reinterpret_cast<const char*>(AskPointer(task, 4, 1, 1, &ok)), "Left hand");
  EXPECT_TRUE(ok);
  const char* fields[] = {"ZTl_ct", nullptr, "%.2f", "Z-score left"};
  for (int kind = 1; kind <= 4; ++kind) {
    const char* text = reinterpret_cast<const char*>(AskPointer(task, 6, kind, 2, &ok));
    EXPECT_TRUE(ok);
    if (fields[kind - 1]) {
      EXPECT_STREQ(text, fields[kind - 1]) << kind;
    } else {
      EXPECT_EQ(text, nullptr);
    }
  }
  const char* const* captions = reinterpret_cast<const char* const*>(AskPointer(task, 6, 9, 0, &ok));
  EXPECT_TRUE(ok);
  EXPECT_STREQ(captions[4], "Log(RT)");
}

TEST(InfoPointers, NamesAreNumberedFromOne) {
  CoreTask task;
  bool ok = true;
  AskPointer(task, 3, 1, 0, &ok);
  EXPECT_FALSE(ok);
  AskPointer(task, 3, 1, 3, &ok);
  EXPECT_FALSE(ok);
  AskPointer(task, 4, 1, 0, &ok);
  EXPECT_FALSE(ok);
}

struct PointerQuestion {
  int type;
  int kind;
  int index;
};

class InfoPointersNarrow : public ::testing::TestWithParam<PointerQuestion> {};

// A caller with a 32-bit result slot is never written past it: a pointer
// question without the wide flag fails and leaves the slot as it was.
TEST_P(InfoPointersNarrow, FailWithoutWritingPastTheSlot) {
  const PointerQuestion& q = GetParam();
  CoreTask task;
  struct {
    int32_t out = 0x11111111;
    int32_t next = 0x22222222;
  } words;
  EXPECT_FALSE(task.DispatchCommand(kCmdGetInfo, q.type, q.kind, q.index, &words.out));
  EXPECT_EQ(words.out, 0x11111111);
  EXPECT_EQ(words.next, 0x22222222);
  bool ok = false;
  AskPointer(task, q.type, q.kind, q.index, &ok);
  EXPECT_TRUE(ok) << "the same question through a wide slot";
}

INSTANTIATE_TEST_SUITE_P(Table, InfoPointersNarrow,
                         ::testing::Values(PointerQuestion{1, 0, 0}, PointerQuestion{2, 0, 0}, PointerQuestion{3, 1, 1},
                                           PointerQuestion{4, 1, 2}, PointerQuestion{6, 1, 0}, PointerQuestion{6, 2, 0},
                                           PointerQuestion{6, 3, 0}, PointerQuestion{6, 4, 0},
                                           PointerQuestion{6, 9, 0}));

}  // namespace

}  // namespace qel
