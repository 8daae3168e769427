// The run's beat thread and a plug-in's worker thread read the devices
// while the user-interface thread acquires and releases them: every read
// gives a whole state (the held key and button down, or nothing at all),
// and the device system can be shut and started under the readers.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/input/InputDevices.h"
#include "engine/input/KeyCodes.h"
#include "engine/input/tests/InputTestSupport.h"

namespace qel {

namespace {

struct Seen {
  std::atomic<int> reads{0};
  std::atomic<int> spaceDown{0};
  std::atomic<int> padDown{0};
  std::atomic<int> wrong{0};
};

void ReadUntilStopped(const std::atomic<bool>& stop, Seen& seen) {
  while (!stop.load()) {
    uint8_t keys[kKeyboardStateSize];
    if (ReadKeyboard(keys) != kInputOk) ++seen.wrong;
    for (int code = 0; code < 256; ++code) {
      if (keys[code] != 0 && (code != kKeySpace || keys[code] != kDown)) ++seen.wrong;
    }
    if (keys[kKeySpace] == kDown) ++seen.spaceDown;

    JoystickState pad;
    if (ReadGamePad(&pad) != kInputOk) ++seen.wrong;
    for (int b = 1; b < 128; ++b) {
      if (pad.rgbButtons[b] != 0) ++seen.wrong;
    }
    if (pad.rgbButtons[0] == kDown) ++seen.padDown;

    MouseState mouse;
    if (ReadMouse(&mouse) != kInputOk) ++seen.wrong;
    ++seen.reads;
  }
}

// Waits (at most a generous while) until the readers have read n more times.
void LetThemRead(const Seen& seen, int n) {
  const int until = seen.reads.load() + n;
  for (int i = 0; i < 2000 && seen.reads.load() < until; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

TEST(ConcurrentReads, ReadersSeeWholeStatesWhileDevicesComeAndGo) {
  test::PromptRecorder messages;
  test::XTestInput inject;
  test::XTestInput::SetSyncHook([] { SyncInputEvents(); });
  test::VirtualDevices devices;
  ASSERT_TRUE(inject.Ok());
  ASSERT_TRUE(devices.Ok());
  const int pad = devices.AttachPad("Held Pad");
  devices.SetButton(pad, 0, true);
  inject.Key(65, true);  // Space
  inject.Sync();
  ASSERT_EQ(EnumInputDevices(), kInputOk);
  ASSERT_EQ(CreateDirectInput(), kInputOk);

  std::atomic<bool> stop{false};
  Seen seen;
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) readers.emplace_back(ReadUntilStopped, std::cref(stop), std::ref(seen));

  for (int cycle = 0; cycle < 12; ++cycle) {
    EXPECT_EQ(AcquireKeyboard(0, 0), kInputOk);
    EXPECT_EQ(AcquireMouse(0, 0), kInputOk);
    EXPECT_EQ(AcquireGamePad(0, 0), kInputOk);
    LetThemRead(seen, 6);
    if (cycle % 4 == 3) {
      ReleaseDirectInput();  // a run ends under the readers
      LetThemRead(seen, 3);
      EXPECT_EQ(CreateDirectInput(), kInputOk);
    } else {
      ReleaseGamePad();
      ReleaseMouse();
      ReleaseKeyboard();
      LetThemRead(seen, 3);
    }
  }
  stop = true;
  for (std::thread& t : readers) t.join();
  ReleaseDirectInput();

  EXPECT_EQ(seen.wrong.load(), 0);
  EXPECT_GT(seen.spaceDown.load(), 0);
  EXPECT_GT(seen.padDown.load(), 0);
  EXPECT_TRUE(messages.Shown().empty());
  EXPECT_TRUE(messages.Posted().empty());
}

}  // namespace

}  // namespace qel
