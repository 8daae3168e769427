// What the display's window tests share (besides the wx main and event pump
// of tests/support): X screenshots, and recorders for the library's messages and beeps.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "DisplayMessage.h"
#include "tests/support/gui/WxPump.h"

namespace qel::display::test {

// Event pumping of the shared window-test support.
using qel::test::Pump;
using qel::test::PumpUntil;

// One picture of the whole X screen, read on a connection of its own.
class ScreenShot {
 public:
  ScreenShot();
  ~ScreenShot();
  ScreenShot(const ScreenShot&) = delete;
  ScreenShot& operator=(const ScreenShot&) = delete;
  bool IsOk() const { return image_ != nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t At(int x, int y) const;  // 0x00RRGGBB

 private:
  void* display_ = nullptr;
  void* image_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Presses and releases a key through the X test extension with the pointer
// at (x, y), as a testee would.
void PressKeyAt(unsigned long keysym, int x, int y);

// Records the library's message boxes and answers them from a queue
// (default: the given answer).
class MessageRecorder {
 public:
  struct Message {
    std::string text;
    std::string caption;
    unsigned style;
  };
  explicit MessageRecorder(int defaultAnswer = kMsgAnswerOk);
  ~MessageRecorder();
  void Answer(int answer) { answers_.push_back(answer); }
  const std::vector<Message>& Messages() const { return messages_; }

 private:
  MessageHandler previous_;
  std::vector<Message> messages_;
  std::deque<int> answers_;
  int defaultAnswer_;
};

class BeepCounter {
 public:
  BeepCounter();
  ~BeepCounter();
  int Count() const { return count_; }

 private:
  BeepHandler previous_;
  int count_ = 0;
};

}  // namespace qel::display::test
