// One reader's replay of the input event log: one event per step, so a
// press and release logged between two looks are two changes of the state.
#include <gtest/gtest.h>

#include <memory>

#include "engine/input/InputEventLog.h"
#include "engine/input/InputStateReplay.h"

namespace qel {

namespace {

constexpr uint8_t kShiftKey = 50;  // an X key code

bool KeyDown(const InputStateReplay& r, uint8_t code) { return (r.Keymap()[code / 8] >> (code % 8)) & 1; }

class ReplayTest : public testing::Test {
 protected:
  void SetUp() override {
    m_log->Clear();
    Begin();
  }
  // Begins at the log's end with the given keys and buttons down.
  void Begin(uint8_t key = 0, int mouseButton = -1) {
    char keymap[InputStateReplay::kKeymapBytes] = {};
    if (key != 0) keymap[key / 8] = static_cast<char>(1u << (key % 8));
    uint8_t mouse[InputStateReplay::kMouseButtons] = {};
    if (mouseButton >= 0) mouse[mouseButton] = kDown;
    const uint8_t pads[InputStateReplay::kPads][InputStateReplay::kPadButtons] = {};
    m_replay.Begin(m_log->Count(), m_log->Generation(), keymap, mouse, pads);
  }
  void Add(int64_t ns, bool press, InputSource source, uint8_t code) {
    m_log->Add(InputEventStamp{ns, press, source, code});
  }
  InputStateReplay::Step Next() { return m_replay.Next(*m_log, &m_event); }

  std::unique_ptr<InputEventLog> m_log = std::make_unique<InputEventLog>();
  InputStateReplay m_replay;
  InputEventStamp m_event;
};

TEST_F(ReplayTest, APressAndItsReleaseAreTwoStepsWithTheirOwnStamps) {
  Add(1000, true, InputSource::kKey, kShiftKey);
  Add(1400, false, InputSource::kKey, kShiftKey);
  EXPECT_FALSE(KeyDown(m_replay, kShiftKey)) << "nothing taken yet";
  ASSERT_EQ(Next(), InputStateReplay::Step::kApplied);
  EXPECT_EQ(m_event.ns, 1000);
  EXPECT_TRUE(KeyDown(m_replay, kShiftKey));
  ASSERT_EQ(Next(), InputStateReplay::Step::kApplied);
  EXPECT_EQ(m_event.ns, 1400);
  EXPECT_FALSE(KeyDown(m_replay, kShiftKey));
  EXPECT_EQ(Next(), InputStateReplay::Step::kNone);
}

TEST_F(ReplayTest, TwoTapsAreTwoPressesSeen) {
  for (int tap = 0; tap < 2; ++tap) {
    Add(100 * tap, true, InputSource::kMouseButton, 0);
    Add(100 * tap + 50, false, InputSource::kMouseButton, 0);
  }
  int presses = 0;
  bool wasDown = false;
  while (Next() == InputStateReplay::Step::kApplied) {
    const bool down = m_replay.MouseButtons()[0] == kDown;
    if (down && !wasDown) ++presses;
    wasDown = down;
  }
  EXPECT_EQ(presses, 2);
}

TEST_F(ReplayTest, EachSourceChangesItsOwnState) {
  Add(1, true, InputSource::kGamePadButton, 3);
  Add(2, true, InputSource::kJoystickButton, 127);
  Add(3, true, InputSource::kMouseButton, 7);
  while (Next() == InputStateReplay::Step::kApplied) {
  }
  EXPECT_EQ(m_replay.PadButtons(0)[3], kDown);
  EXPECT_EQ(m_replay.PadButtons(1)[3], 0);
  EXPECT_EQ(m_replay.PadButtons(1)[127], kDown);
  EXPECT_EQ(m_replay.MouseButtons()[7], kDown);
  EXPECT_FALSE(KeyDown(m_replay, 3));
}

TEST_F(ReplayTest, BeginsWithTheStateOfNowAndStepsOnlyLaterEvents) {
  Add(1, true, InputSource::kKey, kShiftKey);  // before the beginning
  Begin(kShiftKey, 1);
  EXPECT_TRUE(KeyDown(m_replay, kShiftKey));
  EXPECT_EQ(m_replay.MouseButtons()[1], kDown);
  EXPECT_EQ(Next(), InputStateReplay::Step::kNone);
  // An event already in the beginning state, stepped again, changes nothing.
  Add(2, true, InputSource::kKey, kShiftKey);
  EXPECT_EQ(Next(), InputStateReplay::Step::kApplied);
  EXPECT_TRUE(KeyDown(m_replay, kShiftKey));
}

TEST_F(ReplayTest, AClearedOrOverrunLogIsLost) {
  EXPECT_TRUE(m_replay.IsCurrent(*m_log));
  for (uint64_t i = 0; i <= InputEventLog::kCapacity; ++i) Add(static_cast<int64_t>(i), i % 2 == 0, InputSource::kKey, 9);
  EXPECT_FALSE(m_replay.IsCurrent(*m_log)) << "the next event is overwritten";
  EXPECT_EQ(Next(), InputStateReplay::Step::kLost);
  Begin();
  EXPECT_TRUE(m_replay.IsCurrent(*m_log));
  m_log->Clear();
  EXPECT_FALSE(m_replay.IsCurrent(*m_log));
  EXPECT_EQ(Next(), InputStateReplay::Step::kLost);
  m_replay.End();
  EXPECT_FALSE(m_replay.IsBegun());
}

}  // namespace

}  // namespace qel
