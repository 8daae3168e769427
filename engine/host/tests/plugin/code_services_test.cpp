// Through the plug-in: feedback sound ids, trial-code permutation, run
// flags, the run clock and sleeps, texts of the program, error messages.
#include <thread>

#include "app/settings/SystemSettings.h"
#include "engine/host/tests/plugin/ProbeFixture.h"
#include "engine/host/tests/support/VirtualRunClock.h"

namespace qel {

namespace test {
namespace {

TEST_F(ProbeTest, TheLoaderHandsTheHostToThePluginAndClearsTheRunFlags) {
  EXPECT_EQ(m_record->GetShortCode(), "HSP");
  EXPECT_EQ(m_sharedHost->practiceFlag, 0);
  EXPECT_EQ(m_sharedHost->display, &m_sharedHost->Display());
}

TEST_F(ProbeTest, FeedbackSoundIds) {
  const int expected[] = {181, 182, 183, 179, 180, 0, 0};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(Call("FEEDBACKID " + std::to_string(i)), expected[i]) << i;
  EXPECT_EQ(Call("FEEDBACKID -1"), 0);
}

struct PermuteCase {
  const char* line;
  int result;
  const char* code;
};

class ProbePermute : public ProbeTest, public testing::WithParamInterface<PermuteCase> {};

TEST_P(ProbePermute, QuartersOfFourOrEightLetters) {
  EXPECT_EQ(Call(GetParam().line), GetParam().result);
  EXPECT_EQ(Text(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Codes, ProbePermute,
                         testing::Values(PermuteCase{"PERMUTE ABCDEFGH 1 0", 1, "EFGHABCD"},
                                         PermuteCase{"PERMUTE ABCDEFGH 0 0", 1, "GHEFCDAB"},
                                         PermuteCase{"PERMUTE ABCDEF 1 0", 0, "ABCDEF"},  // six letters: refused
                                         PermuteCase{"PERMUTE XYABCD 1 2", 1, "XYCDAB"},
                                         PermuteCase{"PERMUTE XYABCD 0 2", 1, "XYDCBA"},
                                         PermuteCase{"PERMUTE XYABCD 1 0", 0, "XYABCD"},  // six from the offset on
                                         PermuteCase{"PERMUTE ABCD 1 17", 0, "ABCD"},     // offset outside the slot
                                         PermuteCase{"PERMUTE ABCD 1 -1", 0, "ABCD"}));

TEST_F(ProbeTest, RunFlagsTakeThePracticeByteAndTheLanguageSetting) {
  const int saved = g_Language;
  g_Language = 3;
  EXPECT_EQ(Call("RUNFLAGS 1"), 3);
  EXPECT_EQ(Text(), "1");
  g_Language = 2;
  EXPECT_EQ(Call("RUNFLAGS 0"), 2);
  EXPECT_EQ(m_sharedHost->practiceFlag, 0);
  EXPECT_EQ(m_sharedHost->language, 2);
  g_Language = saved;
}

TEST_F(ProbeTest, RunTimeAndSleepsGoThroughTheHostsClock) {
  VirtualRunClock clock;
  m_sharedHost->SetRunClock(&clock);
  clock.Set(1234);
  EXPECT_EQ(Call("TIME"), 1234);
  EXPECT_EQ(Call("SLEEP 250"), 1484);
  EXPECT_EQ(clock.Peek(), 1484u);
  // The framework's key wait polls every millisecond on the same clock: with
  // no keyboard it ends at its limit without real time passing.
  const int sleepsBefore = clock.Sleeps();
  EXPECT_EQ(Call("WAITKEY 2000"), 0);
  EXPECT_GE(clock.Peek(), 2000u);
  EXPECT_EQ(clock.Sleeps() - sleepsBefore, 2000 - 1484);
}

TEST_F(ProbeTest, RealClockRunsWithoutAnInjectedOne) {
  const int32_t start = Call("TIME");
  const int32_t after = Call("SLEEP 20");
  EXPECT_GE(after - start, 20);
}

TEST_F(ProbeTest, TextsComeFromTheProgramsTable) {
  // The tests' own module table stands for the program's by default.
  EXPECT_EQ(Call("TEXT 245"), 18);
  EXPECT_EQ(Text(), "Stop the task now?");

  static const unsigned char kText[] = {'Q', 'u', 'i', 't', '?', 0, 'x', 'y'};
  static const QelResource kEntries[] = {{"TEXT", 245, kText, sizeof kText}};
  static const QelResourceTable kTable = {kEntries, 1};
  m_sharedHost->SetProgramResources(&kTable);
  EXPECT_EQ(Call("TEXT 245"), 5);  // cut at its first NUL
  EXPECT_EQ(Text(), "Quit?");
  EXPECT_EQ(Call("TEXT 246"), 0);  // missing
  EXPECT_EQ(Text(), "");
}

TEST_F(ProbeTest, ErrorsAreShownOnTheUserInterfaceThreadAndPostedFromOthers) {
  PromptRecorder log;
  EXPECT_EQ(Call("ERROR 0x88780078 PlaySound failed"), 1);
  ASSERT_EQ(log.Shown().size(), 1u);
  EXPECT_EQ(log.Shown()[0].text, "PlaySound failed\nSOUND_E_NODRIVER");
  EXPECT_EQ(log.Shown()[0].style, static_cast<unsigned>(kPromptOk | kPromptIconStop));
  EXPECT_TRUE(log.Posted().empty());

  std::thread worker([this] { Call("ERROR 12 Surface lost"); });
  worker.join();
  EXPECT_EQ(log.Shown().size(), 1u) << "no message box from a worker thread";
  ASSERT_EQ(log.Posted().size(), 1u);
  EXPECT_EQ(log.Posted()[0].text, "Surface lost\nCannot allocate memory");
  EXPECT_EQ(log.Posted()[0].style, static_cast<unsigned>(kPromptOk | kPromptIconStop));
}

TEST_F(ProbeTest, UnknownServicesAnswerMinusOne) { EXPECT_EQ(Call("NO SUCH SERVICE"), -1); }

}  // namespace
}  // namespace test

}  // namespace qel
