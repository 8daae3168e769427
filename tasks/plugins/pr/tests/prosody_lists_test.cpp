// The committed lists of Prosody keep the balance they are drawn to.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "tasks/plugins/pr/PrTrialLists.h"
#include "tasks/plugins/pr/ProsodyJudging.h"

namespace qel {

namespace {

using namespace pr;

TEST(ProsodyLists, EverySentenceInEveryEmotionOnceBalancedOverTheList) {
  ASSERT_EQ(kPrVersions, 1);
  ASSERT_EQ(kPrTestLengths[0], kEmotions * kSentences);
  const auto* list = PrTestList(0, 0);
  ASSERT_NE(list, nullptr);
  std::set<std::pair<int32_t, int>> seen;
  int run = 0;
  int32_t previous = kNoEmotion;
  for (int i = 0; i < kPrTestLengths[0]; ++i) {
    SCOPED_TRACE(std::to_string(i) + " " + list[i]);
    const SentenceCode c = ParseSentenceCode(list[i]);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(std::string(list[i]).size(), 3u) << "letter and two digits";
    EXPECT_TRUE(seen.insert({c.emotion, c.sentence}).second);
    run = c.emotion == previous ? run + 1 : 1;
    EXPECT_LE(run, 2) << "at most two of one emotion in a row";
    previous = c.emotion;
    // A sentence comes back after three other trials at the least.
    for (int j = i + 1; j < kPrTestLengths[0] && j <= i + 3; ++j) {
      EXPECT_NE(ParseSentenceCode(list[j]).sentence, c.sentence) << "again at " << j;
    }
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kEmotions * kSentences));
  // Each quarter: every sentence once, every emotion three times.
  for (int q = 0; q < 4; ++q) {
    std::set<int> sentences;
    std::map<int32_t, int> emotions;
    for (int i = q * kSentences; i < (q + 1) * kSentences; ++i) {
      const SentenceCode c = ParseSentenceCode(list[i]);
      sentences.insert(c.sentence);
      ++emotions[c.emotion];
    }
    EXPECT_EQ(sentences.size(), static_cast<size_t>(kSentences)) << "quarter " << q;
    for (int32_t e = kHappy; e <= kFrightened; ++e) EXPECT_EQ(emotions[e], 3) << "quarter " << q << " emotion " << e;
  }
}

TEST(ProsodyLists, PracticeHoldsEveryEmotionOnceInDifferentSentences) {
  const auto* list = PrPracticeList(0, 0);
  ASSERT_NE(list, nullptr);
  std::set<int32_t> emotions;
  std::set<int> sentences;
  for (int i = 0; i < kPrPracticeLength; ++i) {
    const SentenceCode c = ParseSentenceCode(list[i]);
    ASSERT_TRUE(c.valid) << list[i];
    emotions.insert(c.emotion);
    sentences.insert(c.sentence);
  }
  EXPECT_EQ(emotions.size(), 4u);
  EXPECT_EQ(sentences.size(), 4u);
  EXPECT_EQ(PrTestList(1, 0), nullptr);
  EXPECT_EQ(PrTestLength(1), 0);
}

}  // namespace

}  // namespace qel
