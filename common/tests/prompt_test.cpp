#include <gtest/gtest.h>

#include "common/Prompt.h"

#include <mutex>
#include <thread>
#include <vector>

namespace qel {

namespace {

TEST(Prompt, DefaultAnswerFollowsTheDefaultButton) {
  EXPECT_EQ(qel::DefaultPromptAnswer(qel::kPromptOk | qel::kPromptIconStop), qel::kAnswerOk);
  EXPECT_EQ(qel::DefaultPromptAnswer(qel::kPromptYesNo), qel::kAnswerYes);
  EXPECT_EQ(qel::DefaultPromptAnswer(qel::kPromptYesNo | qel::kPromptDefault2), qel::kAnswerNo);
  EXPECT_EQ(qel::DefaultPromptAnswer(qel::kPromptOkCancel | qel::kPromptDefault2), qel::kAnswerCancel);
  EXPECT_EQ(qel::DefaultPromptAnswer(qel::kPromptYesNoCancel | qel::kPromptDefault3), qel::kAnswerCancel);
  EXPECT_EQ(qel::DefaultPromptAnswer(qel::kPromptYesNoCancel | qel::kPromptDefault2), qel::kAnswerNo);
}

TEST(Prompt, InstalledHandlerReceivesAndAnswers) {
  std::string seen;
  auto previous = qel::SetPromptHandler([&](const std::string& text, const std::string& caption, unsigned) {
    seen = caption + "|" + text;
    return qel::kAnswerNo;
  });
  EXPECT_EQ(qel::ShowPrompt("Stop?", "Qel", qel::kPromptYesNo), qel::kAnswerNo);
  EXPECT_EQ(seen, "Qel|Stop?");
  qel::SetPromptHandler(previous);
  EXPECT_EQ(qel::ShowPrompt("x", "Qel", qel::kPromptYesNo), qel::kAnswerYes);
}

TEST(Prompt, PostedMessagesGoToTheInstalledPosterFromAnyThread) {
  std::vector<std::string> posted;
  std::mutex m;
  auto previous = qel::SetPromptPoster([&](const std::string& text, const std::string&, unsigned) {
    std::lock_guard<std::mutex> lock(m);
    posted.push_back(text);
  });
  std::thread worker([] { qel::PostPrompt("Timer not available!"); });
  worker.join();
  qel::SetPromptPoster(previous);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0], "Timer not available!");
}

}  // namespace

}  // namespace qel
