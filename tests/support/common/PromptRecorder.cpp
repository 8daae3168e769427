#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace test {

namespace {

std::vector<std::string> Texts(const std::vector<PromptRecorder::Prompt>& prompts) {
  std::vector<std::string> texts;
  texts.reserve(prompts.size());
  for (const PromptRecorder::Prompt& p : prompts) texts.push_back(p.text);
  return texts;
}

}  // namespace

PromptRecorder::PromptRecorder(int answer) : m_answer(answer) {
  m_previousHandler = SetPromptHandler([this](const std::string& text, const std::string& caption, unsigned style) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_shown.push_back({text, caption, style});
    return m_answer;
  });
  m_previousPoster = SetPromptPoster([this](const std::string& text, const std::string& caption, unsigned style) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_posted.push_back({text, caption, style});
  });
}

PromptRecorder::~PromptRecorder() {
  SetPromptHandler(m_previousHandler);
  SetPromptPoster(m_previousPoster);
}

void PromptRecorder::SetAnswer(int answer) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_answer = answer;
}

std::vector<PromptRecorder::Prompt> PromptRecorder::Shown() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_shown;
}

std::vector<PromptRecorder::Prompt> PromptRecorder::Posted() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_posted;
}

std::vector<std::string> PromptRecorder::ShownTexts() const { return Texts(Shown()); }

std::vector<std::string> PromptRecorder::PostedTexts() const { return Texts(Posted()); }

}  // namespace test

}  // namespace qel
