#include "display/tests/GuiTestSupport.h"

namespace qel {

namespace display::test {

MessageRecorder::MessageRecorder(int defaultAnswer) : defaultAnswer_(defaultAnswer) {
  previous_ = SetMessageHandler([this](const std::string& text, const std::string& caption, unsigned style) {
    messages_.push_back({text, caption, style});
    if (answers_.empty()) return defaultAnswer_;
    const int a = answers_.front();
    answers_.pop_front();
    return a;
  });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(previous_); }

BeepCounter::BeepCounter() {
  previous_ = SetBeepHandler([this] { ++count_; });
}

BeepCounter::~BeepCounter() { SetBeepHandler(previous_); }

}  // namespace display::test

}  // namespace qel
