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

PromptRecorder::PromptRecorder(int answer) : answer_(answer) {
  previousHandler_ = SetPromptHandler([this](const std::string& text, const std::string& caption, unsigned style) {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back({text, caption, style});
    return answer_;
  });
  previousPoster_ = SetPromptPoster([this](const std::string& text, const std::string& caption, unsigned style) {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back({text, caption, style});
  });
}

PromptRecorder::~PromptRecorder() {
  SetPromptHandler(previousHandler_);
  SetPromptPoster(previousPoster_);
}

void PromptRecorder::SetAnswer(int answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  answer_ = answer;
}

std::vector<PromptRecorder::Prompt> PromptRecorder::Shown() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

std::vector<PromptRecorder::Prompt> PromptRecorder::Posted() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return posted_;
}

std::vector<std::string> PromptRecorder::ShownTexts() const { return Texts(Shown()); }

std::vector<std::string> PromptRecorder::PostedTexts() const { return Texts(Posted()); }

}  // namespace test

}  // namespace qel
