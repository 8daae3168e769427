#include "tasks/tests/support/ScriptedOperator.h"

#include <algorithm>

namespace qel {

namespace test {

ScriptedOperator::ScriptedOperator(FakeTaskHost& host) : m_host(host) {
  m_host.m_digitKeys = [this](char* out) { return ReadKey(out); };
  m_host.m_mouseScript = [this](int* dx, int* dy) { Move(dx, dy); };
  m_host.m_buttonsAt = [this](uint32_t) { return Buttons(); };
}

ScriptedOperator::~ScriptedOperator() {
  m_host.m_digitKeys = nullptr;
  m_host.m_mouseScript = nullptr;
  m_host.m_buttonsAt = nullptr;
}

void ScriptedOperator::Type(const std::string& keys) {
  for (char c : keys) {
    switch (c) {
      case '\n':
        m_keys.push_back(10);
        break;
      case '\b':
        m_keys.push_back(8);
        break;
      case '\x1b':
        m_keys.push_back(1);
        break;
      case '.':
        m_keys.push_back(0);
        break;
      default:
        m_keys.push_back(static_cast<unsigned char>(c));
        break;
    }
  }
}

void ScriptedOperator::Click(QelPoint start, QelPoint at) { m_clicks.push_back({start, at}); }

int ScriptedOperator::ReadKey(char* out) {
  *out = 0;
  if (m_keys.empty()) return 0;
  const int key = m_keys.front();
  m_keys.pop_front();
  // Escape answers 1 and leaves no character; every other key is its character.
  if (key > 1) *out = static_cast<char>(key);
  return key;
}

void ScriptedOperator::Move(int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  if (m_state == State::kUp) m_state = State::kIdle;
  if (m_state == State::kIdle && !m_clicks.empty()) {
    // The task puts its pointer at the start with this reading: the hand
    // takes the mouse now and moves from the next reading on.
    m_pointer = m_clicks.front().start;
    m_state = State::kMoving;
    return;
  }
  switch (m_state) {
    case State::kMoving: {
      const QelPoint at = m_clicks.front().at;
      *dx = std::clamp(at.x - m_pointer.x, -kStep, kStep);
      *dy = std::clamp(at.y - m_pointer.y, -kStep, kStep);
      m_pointer = QelPoint{m_pointer.x + *dx, m_pointer.y + *dy};
      if (m_pointer.x == at.x && m_pointer.y == at.y) {
        m_state = State::kDown;
        m_hold = kHoldReadings;
      }
      break;
    }
    case State::kDown:
      if (--m_hold == 0) {
        m_state = State::kUp;
        m_clicks.pop_front();
      }
      break;
    default:
      break;
  }
}

}  // namespace test

}  // namespace qel
