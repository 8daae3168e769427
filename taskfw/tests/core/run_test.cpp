// Binding to the host, publishing into the record and the run operations.
#include <gtest/gtest.h>

#include "include/qel/TaskEntry.h"
#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

intptr_t P(const void* p) { return reinterpret_cast<intptr_t>(p); }

TEST(Init, PublishesTheTaskIntoTheRecord) {
  BoundTask b;
  // Left-overs of an earlier load must be replaced.
  b.record.answerText = "old";
  b.record.answerWord = 5;
  b.record.testTrialCount = 3;
  b.record.partWordsA[4] = 8;
  b.record.normTrialCounts[15] = 7;
  b.record.practiceCode = "stale";
  ASSERT_TRUE(b.task.DispatchCommand(kCmdInit, P(&b.record), 0, 0, nullptr));

  const ITaskLibrary& r = b.record;
  EXPECT_EQ(r.version, 1);
  EXPECT_EQ(r.modelDefault, &g_ModelDefault);
  EXPECT_EQ(r.versionCount, 2);
  EXPECT_EQ(r.partCount, 2);
  EXPECT_STREQ(r.partNames[1], "Right hand");
  EXPECT_EQ(r.scoreVariableCount, 4u);
  EXPECT_STREQ(r.scoreVariables[2].code, "ZTl_ct");
  EXPECT_EQ(r.captionCount, 11);
  EXPECT_STREQ(r.captions[0], "N");
  EXPECT_STREQ(r.captions[10], "z(N)");
  EXPECT_EQ(r.captions2, nullptr);
  EXPECT_EQ(r.normVariableCount, 1u);
  EXPECT_STREQ(r.normVariables[0].name, "ZTl_ct");
  EXPECT_EQ(r.resources, &QelModuleResources());
  EXPECT_TRUE(r.answerText.empty());
  EXPECT_EQ(r.answerWord, 0u);
  for (int i = 0; i < kMaxParts; ++i) {
    EXPECT_EQ(r.partWordsA[i], 0);
    EXPECT_EQ(r.partWordsB[i], 0);
    EXPECT_EQ(r.normTrialCounts[i], -1);
  }
  EXPECT_EQ(r.testTrialCount, 0u);
  EXPECT_EQ(r.practiceCode, nullptr);
  // The six default task fields follow the model default.
  EXPECT_EQ(r.defaultTaskType, kResponseTwoChoice);
  EXPECT_EQ(r.defaultTaskFlags, kTaskFlagSelfTimed | kTaskFlagSwapKeys);
  EXPECT_EQ(r.defaultIntrAfterTrials, 4u);
  EXPECT_EQ(r.defaultIntrContinue, kContinueDummyTrials);
  EXPECT_EQ(r.defaultIntrReplaceTrial, kReplaceSwapNext);
  EXPECT_EQ(r.defaultIntrDummyTrials, 2u);
  EXPECT_EQ(b.task.Host(), &b.host);
  EXPECT_EQ(b.task.m_loadTextsCalls, 1);
  EXPECT_EQ(r.texts[kTextTask], "{\\rtf1 English task instruction}");
}

TEST(Init, FailsOnNullRecord) {
  CoreTask task;
  EXPECT_FALSE(task.DispatchCommand(kCmdInit, 0, 0, 0, nullptr));
  EXPECT_EQ(task.m_loadTextsCalls, 0);
}

TEST(Init, WithoutModelDefaultTheDefaultsAreZero) {
  struct NoDefault : CoreTask {
    NoDefault() { m_modelDefault = nullptr; }
  } task;
  FakeTaskLibrary record;
  record.defaultTaskFlags = 77;
  ASSERT_TRUE(task.Init(&record));
  EXPECT_EQ(record.modelDefault, nullptr);
  EXPECT_EQ(record.defaultTaskFlags, 0u);
}

TEST(SetupRun, BindsTheRunAndClearsTheLists) {
  BoundTask b;
  ASSERT_TRUE(b.task.Init(&b.record));
  b.host.practiceFlag = 1;
  b.host.trialCount = 40;
  b.host.secondCount = 3;
  b.task.m_taskWords[0] = 3;
  b.record.testTrialCount = 9;
  b.record.runText = "x";
  b.record.partWordsB[2] = 4;
  b.host.language = 2;
  b.context.w.TaskVersion = 2;
  b.context.currentPart = 1;
  b.context.w.TaskType = 0x10000 | kResponseTwoChoice;  // high half kept by binding
  ASSERT_TRUE(b.task.SetupRun(&b.context, 1234));

  EXPECT_EQ(b.task.RunContext(), &b.context);
  EXPECT_EQ(b.task.m_runArg, 1234);
  EXPECT_TRUE(b.task.m_practice);
  EXPECT_FALSE(b.task.m_trialSet);
  EXPECT_EQ(b.task.m_versionIndex, 1);
  EXPECT_EQ(b.task.m_partIndex, 1);
  EXPECT_TRUE(b.task.m_twoChoice);
  EXPECT_EQ(b.host.trialCount, 0u);
  EXPECT_EQ(b.host.secondCount, 0u);
  EXPECT_EQ(b.host.codeOffset, 3u);
  EXPECT_EQ(b.record.testTrialCount, 0u);
  EXPECT_EQ(b.record.partWordsB[2], 0);
  EXPECT_TRUE(b.record.runText.empty());
  // Texts are taken again in the language of this moment.
  EXPECT_EQ(b.task.m_loadTextsCalls, 2);
  EXPECT_EQ(b.record.texts[kTextTask], "{\\rtf1 Nederlandse taakinstructie}");
}

struct SetupCase {
  uint32_t version;
  int part;
  bool ok;
};

class SetupRunRange : public ::testing::TestWithParam<SetupCase> {};

TEST_P(SetupRunRange, VersionAndPartMustExist) {
  BoundTask b;
  ASSERT_TRUE(b.task.Init(&b.record));
  b.context.w.TaskVersion = GetParam().version;
  b.context.currentPart = GetParam().part;
  EXPECT_EQ(b.task.SetupRun(&b.context, 0), GetParam().ok);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetupRunRange,
                         ::testing::Values(SetupCase{1, 0, true}, SetupCase{2, 1, true}, SetupCase{0, 0, false},
                                           SetupCase{3, 0, false}, SetupCase{1, 2, false}, SetupCase{1, -1, false}));

TEST(SetupRun, FailsWithoutContextLibraryOrHost) {
  BoundTask b;
  EXPECT_FALSE(b.task.SetupRun(nullptr, 0));
  b.context.library = nullptr;
  EXPECT_FALSE(b.task.SetupRun(&b.context, 0));
  b.context.library = &b.record;
  b.record.host = nullptr;
  EXPECT_FALSE(b.task.SetupRun(&b.context, 0));
  b.record.host = &b.host;
  EXPECT_TRUE(b.task.SetupRun(&b.context, 0))
      << "the set-up command binds a record it was never given at the init command";
}

TEST(BeginRun, StartsThePart) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.host.breakFlag = 1;
  b.task.m_backColour = 0x123456;
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  EXPECT_EQ(b.task.m_runArg, P(b.runData.get()));
  EXPECT_EQ(b.host.breakFlag, 0);
  EXPECT_EQ(b.display.m_cursorShown, 0);
  EXPECT_TRUE(b.task.m_cursorHidden);
  EXPECT_EQ(b.task.m_centreX, 400) << "the screen is set up on the host's display";
  EXPECT_TRUE(b.display.Called("SurfaceClear " + std::to_string(kSurfaceBack) + " 1193046"));
  EXPECT_EQ(b.host.CountCalls("LoadWaveResource"), 0) << "no sound for feedback type 0";

  ASSERT_TRUE(b.task.EndRun());
  EXPECT_EQ(b.display.m_cursorShown, 1);
  EXPECT_FALSE(b.task.m_cursorHidden);
}

TEST(BeginRun, FailsWithoutBindings) {
  BoundTask b;
  EXPECT_FALSE(b.task.BeginRun(b.runData.get())) << "no run context";
  ASSERT_TRUE(b.InitAndSetup());
  EXPECT_FALSE(b.task.BeginRun(nullptr));
  b.context.w.TaskVersion = 5;
  EXPECT_FALSE(b.task.BeginRun(b.runData.get()));
  EXPECT_EQ(b.display.m_cursorShown, -1);
}

struct SoundCase {
  uint32_t fbk;
  int wave;  // 0: none loaded
};

class BeginRunSound : public ::testing::TestWithParam<SoundCase> {};

TEST_P(BeginRunSound, FeedbackSoundByChoice) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.context.w.TaskFbk = GetParam().fbk;
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  if (GetParam().wave) {
    EXPECT_TRUE(b.host.Called("LoadWaveResource " + std::to_string(GetParam().wave) + " host"));
    EXPECT_TRUE(b.task.m_feedbackSoundReady);
  } else {
    EXPECT_EQ(b.host.CountCalls("LoadWaveResource"), 0);
    EXPECT_FALSE(b.task.m_feedbackSoundReady);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, BeginRunSound,
    ::testing::Values(SoundCase{FeedbackWord(kFeedbackAudio, 0), 181}, SoundCase{FeedbackWord(kFeedbackAudio, 1), 182},
                      SoundCase{FeedbackWord(kFeedbackAudio, 2), 183}, SoundCase{FeedbackWord(kFeedbackAudio, 3), 179},
                      SoundCase{FeedbackWord(kFeedbackAudio, 4), 180}, SoundCase{FeedbackWord(kFeedbackAudio, 5), 0},
                      SoundCase{FeedbackWord(kFeedbackVisual, 0), 0}));

TEST(BeginRun, SoundThatDoesNotLoadIsNotReady) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.context.w.TaskFbk = kFeedbackAudio;
  b.host.m_waveLoads = false;
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  EXPECT_FALSE(b.task.m_feedbackSoundReady);
}

TEST(EndRun, StopsAPlayingFeedbackSound) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.context.w.TaskFbk = kFeedbackAudio;
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  b.host.m_playing = true;
  EXPECT_TRUE(b.task.EndRun());
  EXPECT_TRUE(b.host.Called("StopSound"));
  CoreTask unbound;
  EXPECT_FALSE(unbound.EndRun());
}

TEST(Feedback, ByType) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  // No feedback: nothing to show; switching off is always fine.
  EXPECT_FALSE(b.task.FeedbackOn());
  EXPECT_TRUE(b.task.FeedbackOff());

  // Visual: a square of the third size on the front surface.
  b.context.w.TaskFbk = kFeedbackVisual;
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  EXPECT_TRUE(b.task.FeedbackOn());
  EXPECT_TRUE(b.host.Called("FillSquareCentred 9 255"));
  MemoryDC& front = b.display.Surface(kSurfaceFront);
  EXPECT_EQ(front.GetPixel(400, 300), 255u);
  EXPECT_EQ(front.Count(255), 19 * 19);
  EXPECT_TRUE(b.task.FeedbackOff());
  EXPECT_EQ(front.Count(255), 0);

  // Audio: the loaded sound, played once and stopped and rewound.
  b.context.w.TaskFbk = FeedbackWord(kFeedbackAudio, 2);
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  EXPECT_TRUE(b.task.FeedbackOn());
  EXPECT_TRUE(b.host.Called("PlaySound 0"));
  EXPECT_TRUE(b.task.FeedbackOff());
  EXPECT_TRUE(b.host.Called("StopSound"));
  EXPECT_TRUE(b.host.Called("RewindSound"));

  b.context.w.TaskFbk = kFeedbackVisual + 1;  // no such type
  EXPECT_FALSE(b.task.FeedbackOn());
  EXPECT_TRUE(b.task.FeedbackOff());
}

TEST(Feedback, FailsWithoutHostOrContext) {
  CoreTask task;
  EXPECT_FALSE(task.FeedbackOn());
  EXPECT_FALSE(task.FeedbackOff());
}

TEST(Warning, CrossOnTheFrontSurface) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));  // sizes 18, 60, 18
  b.task.m_warningColour = 0x00FFFF;
  ASSERT_TRUE(b.task.ShowWarning());
  EXPECT_TRUE(b.host.Called("DrawCrossCentred 9 65535 3"));
  MemoryDC& front = b.display.Surface(kSurfaceFront);
  EXPECT_EQ(front.GetPixel(400, 300), 0x00FFFFu);
  EXPECT_EQ(front.GetPixel(400, 291), 0x00FFFFu);
  EXPECT_EQ(front.GetPixel(400, 290), 0u);
  ASSERT_TRUE(b.task.HideWarning());
  EXPECT_EQ(front.Count(0x00FFFF), 0);
  CoreTask unbound;
  EXPECT_FALSE(unbound.ShowWarning());
  EXPECT_FALSE(unbound.HideWarning());
}

TEST(Responses, ButtonsOrKeysByTaskSss) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.host.m_buttons = 0x7;
  b.host.m_responseKeys = 0x5;
  int32_t out = 0;
  ASSERT_TRUE(b.task.DispatchCommand(kCmdGetResponse, 0, 0, 0, &out));
  EXPECT_EQ(out, 3) << "only the two response buttons";
  b.context.w.TaskSSS |= kSssKeyboardResponses;
  ASSERT_TRUE(b.task.DispatchCommand(kCmdGetResponse, 0, 0, 0, &out));
  EXPECT_EQ(out, 5);
  CoreTask unbound;
  EXPECT_EQ(unbound.GetResponse(), 0);
}

TEST(Responses, CorrectResponseFollowsTheTrialSetFlag) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  b.host.leftCode = 2;
  b.host.rightCode = 1;  // swapped hands
  EXPECT_EQ(b.task.GetCorrectResponse("x"), 2);
  EXPECT_TRUE(b.task.SetTrial("x"));
  EXPECT_EQ(b.task.GetCorrectResponse("x"), 1);
  ASSERT_TRUE(b.task.SetupRun(&b.context, 0));
  EXPECT_EQ(b.task.GetCorrectResponse("x"), 2) << "the set-up command clears the flag";
  EXPECT_EQ(b.task.ClassifyResponse(4, 9), 4);
}

TEST(Responses, DefaultAnswers) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  b.host.ClearCalls();
  EXPECT_EQ(b.task.GetWarningInterval(), 500);
  EXPECT_EQ(b.task.OnBreakBegin(), 0);
  EXPECT_EQ(b.task.OnBreakEnd(), 0);
  EXPECT_EQ(b.host.CountCalls("SurfaceClear " + std::to_string(kSurfaceBack)), 2) << "a break hides the signal";
  EXPECT_TRUE(b.task.ShowSignal("c", &b.display, 0));
  EXPECT_TRUE(b.task.HideSignal(1));
  EXPECT_EQ(b.task.IsTrialEnded(), 0);
  EXPECT_EQ(b.task.OnResponse(1, 0), 0);
  EXPECT_EQ(b.task.OnNoResponse(), 0);
  EXPECT_EQ(b.task.OnResponseRelease(), 0);
  EXPECT_EQ(b.task.GetExtraResponseCount(), 0);
  EXPECT_TRUE(b.task.Demonstrate(b.runData.get()));
  EXPECT_TRUE(b.task.RunSelfTimed(b.runData.get()));
  EXPECT_TRUE(b.task.OnUnload());
  b.record.answerText = "something";
  EXPECT_EQ(b.task.GetParamText(3, 1), 0);
  EXPECT_TRUE(b.record.answerText.empty());

  CoreTask unbound;
  EXPECT_FALSE(unbound.ShowSignal("c", nullptr, 0));
  EXPECT_FALSE(unbound.Demonstrate(nullptr));
  EXPECT_FALSE(unbound.RunSelfTimed(nullptr));
  EXPECT_FALSE(unbound.OnUnload());
}

TEST(Pointer, MovesByTheMouseAndStaysOnScreen) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  ASSERT_TRUE(b.task.BeginRun(b.runData.get()));
  int x = 10;
  int y = 590;
  b.host.m_mouseDx = -25;
  b.host.m_mouseDy = 25;
  b.task.MovePointer(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 599);
  b.host.m_mouseDx = 30;
  b.host.m_mouseDy = -40;
  b.task.MovePointer(x, y);
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 559);
}

TEST(RestoreCallback, HandedToTheHost) {
  BoundTask b;
  ASSERT_TRUE(b.InitAndSetup());
  int context = 0;
  QelRestoreCallback cb = [](void*) { return true; };
  b.task.SetRestoreCallback(cb, &context);
  EXPECT_EQ(b.host.m_restoreCallback, cb);
  EXPECT_EQ(b.host.m_restoreContext, &context);
}

TEST(Lists, ResponseCodeListsAreCountFirst) {
  CoreTask task;
  EXPECT_EQ(task.m_codes134[0], 3);
  EXPECT_EQ(task.m_codes134[3], 4);
  EXPECT_EQ(task.m_codes1234[0], 4);
  EXPECT_EQ(task.m_codes1234[2], 2);
}

}  // namespace

}  // namespace qel
