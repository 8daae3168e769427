// Records the operator messages shown (ShowPrompt) and posted (PostPrompt)
// while it lives, answering every shown one with the answer set; the
// handler and poster that were installed before come back when it goes.
// Safe to read while other threads show or post.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "common/Prompt.h"

namespace qel {

namespace test {

class PromptRecorder {
 public:
  struct Prompt {
    std::string text;
    std::string caption;
    unsigned style = 0;
  };

  explicit PromptRecorder(int answer = kAnswerOk);
  ~PromptRecorder();
  PromptRecorder(const PromptRecorder&) = delete;
  PromptRecorder& operator=(const PromptRecorder&) = delete;

  // The answer for the messages shown from now on.
  void SetAnswer(int answer);

  std::vector<Prompt> Shown() const;
  std::vector<Prompt> Posted() const;
  std::vector<std::string> ShownTexts() const;
  std::vector<std::string> PostedTexts() const;

 private:
  mutable std::mutex m_mutex;
  int m_answer;
  std::vector<Prompt> m_shown;
  std::vector<Prompt> m_posted;
  PromptHandler m_previousHandler;
  PromptPoster m_previousPoster;
};

}  // namespace test

}  // namespace qel
