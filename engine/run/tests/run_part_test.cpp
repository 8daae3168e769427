// A part as a whole: starting, the second trial list, the response
// capacity, the signal port bytes, the voice key and events that arrive
// after the part has moved on.
#include <gtest/gtest.h>

#include "engine/run/tests/RunTestRig.h"

namespace qel {

using namespace test;

namespace {

std::vector<std::string> TrialCodes(const PluginScript& s) {
  std::vector<std::string> codes;
  for (const PluginCall& c : s.Calls(kCmdSetTrial)) codes.push_back(c.code);
  return codes;
}

}  // namespace

TEST(RunPart, StartIsRefusedWithoutWhatThePartNeeds) {
  RunRig rig;
  rig.SetTrials({"T1"});
  RunPartSetup setup;
  setup.task = &rig.m_task;
  setup.host = rig.m_host.get();
  setup.runData = rig.m_runData.get();

  RunPartSetup bad = setup;
  bad.part = kMaxParts;
  EXPECT_FALSE(rig.m_machine->StartPart(bad));
  bad = setup;
  bad.part = -1;
  EXPECT_FALSE(rig.m_machine->StartPart(bad));
  bad = setup;
  bad.host = nullptr;
  EXPECT_FALSE(rig.m_machine->StartPart(bad));
  bad = setup;
  bad.runData = nullptr;
  EXPECT_FALSE(rig.m_machine->StartPart(bad));
  rig.m_task.library = nullptr;
  EXPECT_FALSE(rig.m_machine->StartPart(setup));
  rig.m_task.library = &rig.m_library;

  EXPECT_TRUE(rig.m_machine->StartPart(setup));
  EXPECT_FALSE(rig.m_machine->StartPart(setup)) << "one part at a time";
}

TEST(RunPart, RunsEveryTrialOnceAndEndsWithTheEndOfPart) {
  RunRig rig;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.m_script.extraResponses = 2;
  rig.SetTrials({"T1", "T2", "T3"});
  ASSERT_TRUE(rig.Start(false, 3));
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(TrialCodes(rig.m_script), (std::vector<std::string>{"T1", "T2", "T3"}));
  EXPECT_EQ(rig.m_script.Calls(kCmdBeginRun).size(), 1u);
  EXPECT_EQ(rig.m_script.Calls(kCmdBeginRun)[0].a, reinterpret_cast<intptr_t>(rig.m_runData.get()));
  EXPECT_EQ(rig.m_script.Calls(kCmdEndRun).size(), 1u);
  EXPECT_EQ(rig.Records().size(), 5u) << "three records and the plug-in's two extra";
  EXPECT_EQ(rig.m_runData->category[3][2], kCatHit) << "records go to the part being run";
  EXPECT_EQ(rig.m_host->responseCount, 5u);
  // The plug-in was shown its progress before each trial.
  EXPECT_EQ(rig.m_host->trialIndex, 2u);
  // Nothing after the end.
  const size_t calls = rig.m_script.calls.size();
  rig.Step(3000);
  EXPECT_EQ(rig.m_script.calls.size(), calls);
}

TEST(RunPart, TestPartBeginsWithTheSecondList) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagSecondListFirst;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T2"});
  rig.SetSecondList({"S1", "S2", "S3"});
  ASSERT_TRUE(rig.Start(false));
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 2; }));
  EXPECT_TRUE(rig.m_machine->InSecondList());
  EXPECT_EQ(rig.m_host->secondListFlag, 1);
  EXPECT_EQ(rig.m_host->secondIndex, 1u);
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(TrialCodes(rig.m_script), (std::vector<std::string>{"S1", "S2", "S3", "T1", "T2"}));
  EXPECT_EQ(rig.Records().size(), 2u) << "the second list is played, not stored";
  EXPECT_EQ(rig.m_script.Calls(kCmdClassifyResponse).size(), 2u);
}

TEST(RunPart, PracticePartHasNoSecondList) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagSecondListFirst;
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T2"});
  rig.SetSecondList({"S1", "S2", "S3"});
  ASSERT_TRUE(rig.Start(true));
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(TrialCodes(rig.m_script), (std::vector<std::string>{"T1", "T2"}));
}

TEST(RunPart, ErrorOutcomeSwitchesToTheSecondList) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagCountOmissions;
  rig.Words().TaskIntrAfterTrials = 0;
  rig.Words().TaskIntrContinue = kContinueDummyTrials;
  rig.m_script.trials = {TrialScript{-1, 0, 0}};
  rig.m_script.otherTrials = TrialScript{300, 50, 1};
  rig.SetTrials({"T1", "T2"});
  rig.SetSecondList({"S1", "S2"});
  ASSERT_TRUE(rig.Start(true));
  ASSERT_TRUE(
      rig.RunUntil([&] { return rig.m_display.m_opened == 1 && rig.m_display.m_state.load() == kBreakOnScreen; }));
  rig.m_display.m_state.store(kBreakContinue);
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(TrialCodes(rig.m_script), (std::vector<std::string>{"T1", "S1", "S2", "T1", "T2"}));
  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].category, kCatOmission);
  EXPECT_EQ(records[1].category, kCatSkipped);
  EXPECT_EQ(records[2].category, kCatHit);
  EXPECT_EQ(records[3].category, kCatHit);
}

struct CapacityCase {
  uint32_t trials;
  uint32_t capacity;
};

class CapacityTest : public testing::TestWithParam<CapacityCase> {};

TEST_P(CapacityTest, ThreeTimesTheTrialsAtMostTheArrays) {
  RunRig rig;
  rig.SetTrials({"T1"}, GetParam().trials);
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.m_machine->GetResponseCapacity(), GetParam().capacity);
}

INSTANTIATE_TEST_SUITE_P(Capacity, CapacityTest,
                         testing::Values(CapacityCase{1, 3}, CapacityCase{100, 300}, CapacityCase{1999, 5997},
                                         CapacityCase{2000, 6000}, CapacityCase{2500, 6000},
                                         CapacityCase{0xFFFFFFF0u, 6000}));

TEST(RunPart, PartWithoutTrialsEndsAtOnce) {
  RunRig rig;
  rig.SetTrials({}, 0);
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd(100));
  EXPECT_TRUE(rig.m_script.Calls(kCmdSetTrial).empty());
  EXPECT_TRUE(rig.Records().empty());
}

TEST(RunPart, RepeatedTrialsEndThePartAtTheCapacity) {
  RunRig rig;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = 50;
  rig.Words().TaskVRHigh = 200;
  rig.m_script.otherTrials = TrialScript{20, 10, 1};  // always early: given again
  rig.SetTrials({"T1", "T2", "T3", "T4"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.Records().size(), 12u);
  EXPECT_EQ(rig.m_script.Calls(kCmdSetTrial).size(), 12u);
  for (const Record& r : rig.Records()) EXPECT_EQ(r.category, kCatAnticipation);
}

TEST(RunPart, ExtraResponsesAreBoundedByTheArrays) {
  RunRig rig;
  rig.m_script.extraResponses = 100000;
  rig.SetTrials({"N1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.m_machine->GetResponseCount(), static_cast<uint32_t>(kMaxResponses));
  EXPECT_EQ(rig.m_host->responseCount, static_cast<uint32_t>(kMaxResponses));
}

TEST(RunPart, TrialsBeyondTheListKeepTheLastCode) {
  RunRig rig;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = 4;
  rig.Words().TaskSDLow = rig.Words().TaskSDHigh = 1;
  rig.Words().TaskVRLow = 0;
  rig.Words().TaskVRHigh = 2;
  std::vector<std::string> codes;
  for (int i = 0; i < kMaxTrialCodes; ++i) codes.push_back("N" + std::to_string(i % 10) + std::to_string(i));
  rig.SetTrials(codes, kMaxTrialCodes + 3);
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd(200000));
  const std::vector<std::string> seen = TrialCodes(rig.m_script);
  ASSERT_EQ(seen.size(), static_cast<size_t>(kMaxTrialCodes + 3));
  for (int i = kMaxTrialCodes; i < kMaxTrialCodes + 3; ++i) EXPECT_EQ(seen[i], codes.back());
  EXPECT_EQ(rig.Records().size(), static_cast<size_t>(kMaxTrialCodes + 3));
}

TEST(RunPart, SignalPortByteSequence) {
  RunRig rig;
  rig.Words().TaskSDLow = rig.Words().TaskSDHigh = 100;
  rig.m_script.trials = {TrialScript{-1, 0, 0}, TrialScript{300, 50, 0x1A3}, TrialScript{50, 20, 2}};
  rig.SetTrials({"N1", "T1", "T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdSetTrial).size() == 4; }));
  // Start; no response (on, off); a response after the signal went off (on,
  // off, the response's low byte); a response while it is on (on, response
  // byte, which stays: hiding the signal writes nothing).
  EXPECT_EQ(rig.PortBytes(), (std::vector<uint8_t>{0, 128, 0, 128, 0, 0xA3, 128, 2}));
}

TEST(RunPart, SignalPortQuietWithoutSignalSync) {
  RunRig rig;
  rig.m_port.SetSignalSync(false);
  rig.m_script.otherTrials = TrialScript{300, 50, 7};
  rig.SetTrials({"T1", "T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_TRUE(rig.PortBytes().empty());
}

TEST(RunPart, VoiceKeyAnswersWhenTheTaskUsesIt) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagVoiceKey;
  rig.Words().TaskSSS = 100 | kSssVoiceKeyOption | (5u << kSssVoiceKeyShift);
  rig.SetTrials({"T1", "N1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 1; }));
  EXPECT_EQ(rig.m_voiceKey.m_threshold, 10) << "raised to at least 10 percent";
  EXPECT_EQ(rig.m_voiceKey.m_starts, 1) << "restarted at the signal";
  rig.Step(250);
  rig.m_voiceKey.m_bits = 2;
  rig.Step(20);
  rig.m_voiceKey.m_bits = 0;
  ASSERT_TRUE(rig.RunToEnd());
  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].category, kCatHit);
  EXPECT_EQ(records[0].code, 2);
  EXPECT_NEAR(records[0].rt, 250, 1);
  EXPECT_EQ(records[1].category, kCatCorrectRejection);
  EXPECT_GE(rig.m_voiceKey.m_stops, 2);
}

TEST(RunPart, VoiceKeyIgnoredWithoutTheOption) {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagVoiceKey;
  rig.Words().TaskSSS = 100 | (95u << kSssVoiceKeyShift);
  rig.m_voiceKey.m_bits = 1;
  rig.SetTrials({"T1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_EQ(rig.m_voiceKey.m_threshold, 90) << "lowered to at most 90 percent";
  EXPECT_EQ(rig.m_voiceKey.m_starts, 0);
  EXPECT_EQ(rig.Records()[0].category, kCatMiss);
}

TEST(RunPart, EventsAfterStopChangeNothing) {
  RunRig rig;
  rig.SetTrials({"T1", "T1"});
  ASSERT_TRUE(rig.Start());
  // Hold the signal event back, then stop before it is handled.
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_machine->GetPhase() == CRunMachine::Phase::kTrial; }));
  rig.m_pumpEvents = false;
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_sink.Size() > 0; }));
  rig.m_machine->Stop();
  rig.Pump();
  EXPECT_TRUE(rig.m_script.Calls(kCmdShowSignal).empty());
  EXPECT_EQ(rig.m_actions.back(), RunEventAction::kNone);
  // The worker threads' end events still reach the dialog.
  EXPECT_EQ(rig.m_machine->OnRunEvent(kRunEventSelfTimedEnd, 0), RunEventAction::kEndRun);
  EXPECT_EQ(rig.m_machine->OnRunEvent(kRunEventSignalsEnd, 0), RunEventAction::kReleaseDevices);
}

TEST(RunPart, ResponseEventForAnEndedTrialIsIgnored) {
  RunRig rig;
  rig.Words().TaskSDLow = rig.Words().TaskSDHigh = 1000;
  rig.m_script.trials = {TrialScript{300, 50, 1}};
  // The plug-in ends the trial one beat after the response was seen, before
  // the UI thread got to the response event.
  rig.m_script.trialEnded = [&](uint32_t now) {
    return rig.m_script.shown && rig.m_script.sequence == 0 && now - rig.m_script.shownAt == 301 ? 1 : 0;
  };
  rig.SetTrials({"T1", "N1"});
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(rig.RunUntil([&] { return rig.m_script.Calls(kCmdShowSignal).size() == 1; }));
  rig.Step(299);
  rig.m_pumpEvents = false;
  rig.Step(2);
  ASSERT_EQ(rig.m_sink.Size(), 1u);
  rig.m_pumpEvents = true;
  ASSERT_TRUE(rig.RunToEnd());
  EXPECT_TRUE(rig.m_script.Calls(kCmdOnResponse).empty());
  EXPECT_EQ(rig.Records()[0], (Record{kCatNone, 0, 1, kCatExcluded}));
  EXPECT_EQ(rig.PortBytes(), (std::vector<uint8_t>{0, 128, 128, 0})) << "no response byte";
}

}  // namespace qel
