// What the display's window tests share besides the wx main, event pump and
// X helpers of tests/support: recorders for the library's messages and beeps.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "display/ui/DisplayMessage.h"
#include "tests/support/gui/WxPump.h"
#include "tests/support/x11/XScreenShot.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

namespace display::test {

// Event pumping, X input and screen pictures of the shared test support.
using qel::test::Pump;
using qel::test::PumpUntil;
using qel::test::XScreenShot;
using qel::test::XTestInput;

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
  void Answer(int answer) { m_answers.push_back(answer); }
  const std::vector<Message>& Messages() const { return m_messages; }

 private:
  MessageHandler m_previous;
  std::vector<Message> m_messages;
  std::deque<int> m_answers;
  int m_defaultAnswer;
};

class BeepCounter {
 public:
  BeepCounter();
  ~BeepCounter();
  int Count() const { return m_count; }

 private:
  BeepHandler m_previous;
  int m_count = 0;
};

}  // namespace display::test

}  // namespace qel
