#include "display/tests/GuiTestSupport.h"

namespace qel {

namespace display::test {

MessageRecorder::MessageRecorder(int defaultAnswer) : m_defaultAnswer(defaultAnswer) {
  m_previous = SetMessageHandler([this](const std::string& text, const std::string& caption, unsigned style) {
    m_messages.push_back({text, caption, style});
    if (m_answers.empty()) return m_defaultAnswer;
    const int a = m_answers.front();
    m_answers.pop_front();
    return a;
  });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(m_previous); }

BeepCounter::BeepCounter() {
  m_previous = SetBeepHandler([this] { ++m_count; });
}

BeepCounter::~BeepCounter() { SetBeepHandler(m_previous); }

}  // namespace display::test

}  // namespace qel
