// Keys and buttons from the X server's event stream: each press and release
// is in the log with the moment it reached the program, the state follows
// the events, and reads never wait for the server.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "common/MonotonicNs.h"
#include "engine/input/InputDevices.h"
#include "engine/input/X11InputEvents.h"
#include "engine/input/tests/InputTestSupport.h"

// Last: the X headers define macros (None, Bool, ...) that other headers must not see.
#include <X11/Xlib.h>

namespace qel {

namespace {

constexpr auto kGenerous = std::chrono::seconds(5);

// The log's events from `from` on, once `count` of them are there.
std::vector<InputEventStamp> AwaitEvents(uint64_t from, uint64_t count) {
  const auto end = std::chrono::steady_clock::now() + kGenerous;
  while (GetInputEventCount() < from + count && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  std::vector<InputEventStamp> events;
  for (uint64_t i = from; i < GetInputEventCount(); ++i) {
    InputEventStamp e;
    EXPECT_TRUE(GetInputEvent(i, &e));
    events.push_back(e);
  }
  return events;
}

class InputEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_inject.Ok());
    test::XTestInput::SetSyncHook([] { SyncInputEvents(); });
    ASSERT_EQ(EnumInputDevices(), kInputOk);
    ASSERT_EQ(CreateDirectInput(), kInputOk);
  }
  void TearDown() override { ReleaseDirectInput(); }

  test::PromptRecorder m_messages;
  test::XTestInput m_inject;
};

TEST_F(InputEventsTest, PressAndReleaseAreStampedWhenTheyArrive) {
  ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
  uint8_t state[kKeyboardStateSize];
  ReadKeyboard(state);  // acquires
  const uint64_t from = GetInputEventCount();
  const int64_t before = MonotonicNowNs();
  m_inject.Key(50, true);  // left Shift
  m_inject.Sync();
  const int64_t synced = MonotonicNowNs();
  m_inject.Key(50, false);
  m_inject.Sync();
  const std::vector<InputEventStamp> events = AwaitEvents(from, 2);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_TRUE(events[0].press);
  EXPECT_FALSE(events[1].press);
  for (const InputEventStamp& e : events) {
    EXPECT_EQ(e.source, InputSource::kKey);
    EXPECT_EQ(e.code, 50) << "the X key code";
  }
  EXPECT_GE(events[0].ns, before);
  EXPECT_LE(events[0].ns, events[1].ns);
  EXPECT_GE(events[1].ns, synced) << "the release cannot arrive before it was sent";
  ReadKeyboard(state);
  EXPECT_EQ(state[42], 0);
}

// A press and its release that both arrived before a look: the latest
// state shows neither, a thread that steps sees both, one per step.
TEST_F(InputEventsTest, AThreadThatStepsSeesAPressAndReleaseBetweenTwoLooks) {
  ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
  uint8_t state[kKeyboardStateSize];
  ReadKeyboard(state);  // acquires
  InputEventStamp e;
  EXPECT_FALSE(StepInputEvent(&e)) << "the first step begins at the log's end";
  m_inject.Key(50, true);  // left Shift
  m_inject.Key(50, false);
  m_inject.Sync();
  const uint64_t from = GetInputEventCount() - 2;
  InputEventStamp logged[2];
  ASSERT_TRUE(GetInputEvent(from, &logged[0]));
  ASSERT_TRUE(GetInputEvent(from + 1, &logged[1]));
  std::thread([&] {
    uint8_t live[kKeyboardStateSize];
    ReadKeyboard(live);
    EXPECT_EQ(live[42], 0) << "a thread that does not step reads the latest state";
  }).join();
  ASSERT_TRUE(StepInputEvent(&e));
  EXPECT_TRUE(e.press);
  EXPECT_EQ(e.ns, logged[0].ns);
  ReadKeyboard(state);
  EXPECT_EQ(state[42], kDown);
  ASSERT_TRUE(StepInputEvent(&e));
  EXPECT_FALSE(e.press);
  EXPECT_EQ(e.ns, logged[1].ns);
  ReadKeyboard(state);
  EXPECT_EQ(state[42], 0);
  EXPECT_FALSE(StepInputEvent(&e));
  EndInputSteps();
}

TEST_F(InputEventsTest, ButtonsComeFromTheEventsAndAreLogged) {
  ASSERT_EQ(AcquireMouse(0, 0), kInputOk);
  MouseState m;
  ReadMouseButtons(&m);  // acquires
  const uint64_t from = GetInputEventCount();
  m_inject.Button(3, true);  // right
  m_inject.Sync();
  ReadMouseButtons(&m);
  EXPECT_EQ(m.rgbButtons[1], kDown);
  EXPECT_EQ(m.rgbButtons[0], 0);
  m_inject.Button(3, false);
  m_inject.Sync();
  ReadMouseButtons(&m);
  EXPECT_EQ(m.rgbButtons[1], 0);
  const std::vector<InputEventStamp> events = AwaitEvents(from, 2);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_TRUE(events[0].press);
  EXPECT_FALSE(events[1].press);
  for (const InputEventStamp& e : events) {
    EXPECT_EQ(e.source, InputSource::kMouseButton);
    EXPECT_EQ(e.code, 1) << "the mouse state's right button";
  }
  // The wheel is movement, not a button: no event.
  m_inject.Click(4);
  m_inject.Sync();
  ReadMouseButtons(&m);
  EXPECT_EQ(GetInputEventCount(), from + 2);
}

TEST_F(InputEventsTest, MovementIsStampedWithItsLatestEvent) {
  ASSERT_EQ(AcquireMouse(0, 0), kInputOk);
  MouseState m;
  ReadMouse(&m);  // acquires
  int64_t motionNs = -1;
  ReadMouse(&m, &motionNs);
  EXPECT_EQ(motionNs, 0) << "no movement, no time";
  const int64_t before = MonotonicNowNs();
  m_inject.Move(3, 0);
  m_inject.Sync();
  const int64_t between = MonotonicNowNs();
  m_inject.Move(0, 4);
  m_inject.Sync();
  const int64_t after = MonotonicNowNs();
  ASSERT_EQ(ReadMouse(&m, &motionNs), kInputOk);
  EXPECT_EQ(m.lX, 3);
  EXPECT_EQ(m.lY, 4);
  EXPECT_GE(motionNs, between) << "the time is the latest movement's";
  EXPECT_LE(motionNs, after);
  EXPECT_GE(motionNs, before);
  ReadMouse(&m, &motionNs);
  EXPECT_EQ(m.lX, 0);
  EXPECT_EQ(motionNs, 0) << "taken by the read before";
  // Button reads leave movement and its time for the next movement read.
  m_inject.Move(-2, 0);
  m_inject.Sync();
  ReadMouseButtons(&m);
  ReadMouse(&m, &motionNs);
  EXPECT_EQ(m.lX, -2);
  EXPECT_GT(motionNs, after);
}

// The 1 ms beat reads the keyboard; while another client holds the server
// (a grab), a read that asked the server would wait for the grab to end.
TEST_F(InputEventsTest, ReadsDoNotWaitForAGrabbedServer) {
  ASSERT_EQ(AcquireKeyboard(0, 0), kInputOk);
  ASSERT_EQ(AcquireMouse(0, 0), kInputOk);
  uint8_t state[kKeyboardStateSize];
  MouseState m;
  ReadKeyboard(state);
  ReadMouseButtons(&m);
  m_inject.Key(50, true);
  m_inject.Sync();

  Display* holder = XOpenDisplay(nullptr);
  ASSERT_NE(holder, nullptr);
  XGrabServer(holder);
  XSync(holder, False);
  auto reads = std::async(std::launch::async, [] {
    uint8_t keys[kKeyboardStateSize];
    MouseState buttons;
    MouseState motion;
    for (int i = 0; i < 100; ++i) {
      ReadKeyboard(keys);
      ReadMouseButtons(&buttons);
      ReadMouse(&motion);
    }
    return keys[42];
  });
  const bool done = reads.wait_for(kGenerous) == std::future_status::ready;
  XUngrabServer(holder);
  XSync(holder, False);
  XCloseDisplay(holder);
  ASSERT_TRUE(done) << "a read waited for the grabbed server";
  EXPECT_EQ(reads.get(), kDown) << "the key pressed before the grab reads as down";
  m_inject.Key(50, false);
  m_inject.Sync();
}

TEST(InputEventLog, KeepsTheLatestEventsInOrder) {
  auto log = std::make_unique<InputEventLog>();
  log->Clear();
  InputEventStamp e;
  EXPECT_FALSE(log->At(0, &e));
  const uint64_t total = InputEventLog::kCapacity + 10;
  for (uint64_t i = 0; i < total; ++i) {
    log->Add(InputEventStamp{static_cast<int64_t>(1000 + i), i % 2 == 0, InputSource::kJoystickButton,
                             static_cast<uint8_t>(i)});
  }
  EXPECT_EQ(log->Count(), total);
  EXPECT_FALSE(log->At(0, &e)) << "overwritten";
  EXPECT_FALSE(log->At(9, &e));
  ASSERT_TRUE(log->At(10, &e));
  EXPECT_EQ(e.ns, 1010);
  EXPECT_TRUE(e.press);
  ASSERT_TRUE(log->At(total - 1, &e));
  EXPECT_EQ(e.ns, static_cast<int64_t>(1000 + total - 1));
  EXPECT_FALSE(e.press);
  EXPECT_EQ(e.source, InputSource::kJoystickButton);
  EXPECT_EQ(e.code, static_cast<uint8_t>(total - 1));
  const uint64_t generation = log->Generation();
  EXPECT_FALSE(log->At(total, &e)) << "not yet written";
  log->Clear();
  EXPECT_EQ(log->Count(), 0u);
  EXPECT_NE(log->Generation(), generation);
  EXPECT_FALSE(log->At(total - 1, &e));
}

}  // namespace

}  // namespace qel
