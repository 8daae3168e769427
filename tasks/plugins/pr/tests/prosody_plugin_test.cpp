// The Prosody plug-in of the program folder, loaded by the program's
// loader, with an operator at the mouse: the part waits for "Start", each
// response waits for the click on the emotion named, the click is judged,
// wrong answers get their feedback on the task's own thread, and no thread
// of the task outlives the part. Then a whole test list run by the
// program's trial state machine on a virtual clock, the testee answering by
// voice, with every variable and Z-score compared with values worked out
// from the script.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/plugins/pr/ProsodyButtons.h"
#include "tasks/plugins/pr/ProsodyJudging.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tasks/tests/support/ScriptedOperator.h"
#include "tasks/tests/support/ScriptedRun.h"

namespace qel {

namespace {

using test::AddNorms;
using test::Answer;
using test::Expected;
using test::ExpectValues;
using test::ExpectZFromOwnNorms;
using test::LoadedTask;
using test::Norm;
using test::ScriptedOperator;
using test::ScriptedRun;
using test::StatsOf;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr COLORREF kRed = 0x0000FF;

const QelTesteeRecord kTestee{QelDateTime::FromDate(1948, 9, 1)};
const QelDateTime kTestDate = QelDateTime::FromDate(2021, 9, 1);

const pr::ButtonLayout kLayout = pr::LayoutButtons(kWidth / 2, kHeight / 2);
const QelPoint kStart = pr::PointerStart(kWidth / 2, kHeight / 2);

QelPoint CentreOf(int button) {
  const QelRect& r = kLayout.rects[button];
  return QelPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string Slot(const char* code) {
  std::string slot(kTrialCodeSize, '\0');
  std::strncpy(slot.data(), code, kTrialCodeSize - 1);
  return slot;
}

// The texts drawn on a surface ("TextOut x y text" calls), text only.
std::vector<std::string> TextsOn(MemoryDC& dc) {
  std::vector<std::string> texts;
  for (const std::string& call : dc.Calls()) {
    if (call.rfind("TextOut ", 0) != 0) continue;
    const size_t y = call.find(' ', 8);
    texts.push_back(call.substr(call.find(' ', y + 1) + 1));
  }
  return texts;
}

// The feedback squares drawn in a colour ("FillSquareCentred r colour").
int SquaresOf(const FakeTaskHost& host, COLORREF colour) {
  int count = 0;
  for (const std::string& c : host.Calls()) {
    if (c.rfind("FillSquareCentred ", 0) == 0 && c.substr(c.rfind(' ') + 1) == std::to_string(colour)) ++count;
  }
  return count;
}

bool Has(const std::vector<std::string>& all, const std::string& one) {
  return std::find(all.begin(), all.end(), one) != all.end();
}

class ProsodyPlugin : public testing::Test {
 protected:
  void SetUp() override {
    m_t = std::make_unique<LoadedTask>("PR", kWidth, kHeight);
    ASSERT_TRUE(m_t->Loaded());
    m_op = std::make_unique<ScriptedOperator>(m_t->m_host);
  }
  void TearDown() override {
    m_op.reset();
    if (m_t) m_t->Command(kCmdEndRun);
  }
  // Command 2 and command 5, the operator clicking `clicks` (buttons) and
  // "Start" last. Without feedback unless asked: the feedback thread draws
  // into the test's host while the test goes on.
  void Begin(const std::vector<int>& clicks = {}, int language = 0, bool feedback = false) {
    if (!feedback) m_t->m_task.w.TaskFbk = 0;
    ASSERT_TRUE(m_t->Setup(1, 0, false, language));
    for (int b : clicks) m_op->Click(kStart, CentreOf(b));
    m_op->Click(kStart, CentreOf(0));
    ASSERT_TRUE(m_t->BeginRun());
    EXPECT_EQ(m_op->PendingClicks(), 0u) << "the part starts with the click on Start";
  }
  bool Show(const char* code) {
    const std::string slot = Slot(code);
    return m_t->Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot.c_str()),
                        reinterpret_cast<intptr_t>(&m_t->m_display), 0);
  }
  // Command 19 with the operator clicking at a point.
  int32_t RespondClicking(QelPoint at) {
    m_op->Click(kStart, at);
    const int32_t r = m_t->Value(kCmdOnResponse, 1, 0);
    EXPECT_EQ(m_op->PendingClicks(), 0u);
    return r;
  }

  std::unique_ptr<LoadedTask> m_t;
  std::unique_ptr<ScriptedOperator> m_op;
};

TEST_F(ProsodyPlugin, ThePartWaitsForStartAndShowsTheLabels) {
  Begin({1, 3});  // "Happy" and "Angry" clicked first do not start it
  const std::vector<std::string> texts = TextsOn(m_t->m_display.Surface(kSurfaceBack));
  for (const char* label : {"Start", "Happy", "Sad", "Angry", "Frightened"}) EXPECT_TRUE(Has(texts, label)) << label;
  EXPECT_FALSE(Has(texts, "==>"));
}

TEST_F(ProsodyPlugin, DutchLabels) {
  Begin({}, 2);
  const std::vector<std::string> texts = TextsOn(m_t->m_display.Surface(kSurfaceBack));
  for (const char* label : {"Blij", "Droevig", "Boos", "Bang"}) EXPECT_TRUE(Has(texts, label)) << label;
}

struct ClickCase {
  const char* name;
  const char* code;
  QelPoint at;
  int32_t response;  // answer of command 19
  int32_t category;  // command 27 for a response
};

TEST_F(ProsodyPlugin, TheClickIsJudgedAgainstTheSentence) {
  Begin();
  const QelPoint outside{kLayout.rects[1].right + 8, kLayout.rects[1].top + 10};  // between Happy and Sad
  const ClickCase cases[] = {
      // The code "A7": an angry sentence, named "Sad" (the table's cell: 24).
      {"AngryNamedSad", "A7", CentreOf(2), kCatHit, 24},
      {"SadNamedAngry", "S05", CentreOf(3), kCatHit, 20},
      {"HappyRight", "H00", CentreOf(1), kCatHit, 10},
      {"FrightenedRight", "f11", CentreOf(4), kCatHit, 13},
      {"FrightenedNamedHappy", "F03", CentreOf(1), kCatHit, 27},
      // A click released outside every button, or on "==>": no emotion (a
      // response would not be judged).
      {"ReleasedOutside", "A7", outside, kCatSkipped, kCatExcluded},
      {"PassedOn", "H04", CentreOf(0), kCatSkipped, kCatExcluded},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.name);
    m_t->m_host.ClearCalls();
    ASSERT_TRUE(Show(c.code));
    const pr::SentenceCode sentence = pr::ParseSentenceCode(c.code);
    EXPECT_TRUE(m_t->m_host.Called("LoadWaveResource " + std::to_string(pr::SentenceWave(sentence)) + " plug-in"));
    EXPECT_TRUE(m_t->m_host.Called("PlaySound 0"));
    EXPECT_EQ(RespondClicking(c.at), c.response);
    EXPECT_TRUE(m_t->m_host.Called("StopSound")) << "the sentence stops at the click";
    EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 0), c.category);
    for (int32_t other : {kCatAnticipation, kCatOmission, kCatSkipped}) {
      EXPECT_EQ(m_t->Value(kCmdClassifyResponse, other, 0), other) << "only a response is judged";
    }
    // The operator's screen while clicking: "==>" and the labels in black.
    EXPECT_TRUE(Has(TextsOn(m_t->m_display.Surface(kSurfaceBack)), "==>"));
  }
}

// The operator's mouse as the program's input reader passes it on: the
// movement and the button changes in the order they were made, of which
// `handled` have reached the program. Movement is read as a sum of what has
// arrived; the buttons either as they are now or, once the task steps
// through the presses and releases, as the last one stepped left them.
struct LaggingMouse {
  struct Change {
    int dx = 0;
    int dy = 0;
    int button = -1;  // -1 movement, 0 release, 1 press
  };
  static Change Motion(QelPoint from, QelPoint to) { return {to.x - from.x, to.y - from.y, -1}; }

  std::vector<Change> changes;
  std::vector<size_t> arrivals;  // `handled` after each reading of the buttons
  size_t handled = 0;
  size_t readings = 0;
  size_t motionTaken = 0;
  size_t stepped = 0;
  bool stepping = false;
  uint32_t steppedButtons = 0;

  void Attach(FakeTaskHost& host) {
    host.m_mouseScript = [this](int* dx, int* dy) {
      for (; motionTaken < handled; ++motionTaken) {
        if (changes[motionTaken].button >= 0) continue;
        *dx += changes[motionTaken].dx;
        *dy += changes[motionTaken].dy;
      }
    };
    // Events reach the program while the task reads the buttons.
    host.m_buttonsAt = [this](uint32_t) {
      if (readings < arrivals.size()) handled = std::max(handled, arrivals[readings]);
      ++readings;
      if (stepping) return steppedButtons;
      uint32_t now = 0;
      for (size_t i = 0; i < handled; ++i) {
        if (changes[i].button >= 0) now = static_cast<uint32_t>(changes[i].button);
      }
      return now;
    };
    host.m_nextInputEvent = [this](uint32_t*) {
      stepping = true;
      while (stepped < handled) {
        const Change& c = changes[stepped++];
        if (c.button < 0) continue;
        steppedButtons = static_cast<uint32_t>(c.button);
        return true;
      }
      return false;
    };
  }
};

struct LagCase {
  const char* name;
  size_t before;                 // changes handled, never stepped, before the wait
  std::vector<size_t> arrivals;  // handled after each reading of the buttons
};

// The operator moves to "Angry" and clicks while the program's input lags
// behind or the task's thread is held up: the click lands on "Angry" all the
// same, and a click made before the wait (while the sentence played, over
// "Happy") is no answer.
TEST_F(ProsodyPlugin, TheClickLandsWhereThePointerWasWhateverTheLag) {
  Begin();
  const QelPoint angry = CentreOf(3);
  const LagCase cases[] = {
      // The movement and the press arrive together while the task reads the
      // buttons: read as they are now, the press lands at the start.
      {"PressArrivesWithItsMovement", 0, {0, 2, 3}},
      // Movement, press and release all arrive while the thread is held up:
      // read as they are now, the button was never down.
      {"ClickWhileTheThreadIsHeldUp", 0, {3}},
      {"ClickBeforeTheWait", 3, {6}},
  };
  for (const LagCase& c : cases) {
    SCOPED_TRACE(c.name);
    m_op.reset();  // the lagging mouse is the only hand
    LaggingMouse mouse;
    if (c.before > 0) {
      mouse.changes = {LaggingMouse::Motion(kStart, CentreOf(1)), {0, 0, 1}, {0, 0, 0}};
      mouse.stepping = true;  // the thread stepped through an earlier wait
    }
    mouse.changes.insert(mouse.changes.end(), {LaggingMouse::Motion(kStart, angry), {0, 0, 1}, {0, 0, 0}});
    mouse.handled = c.before;
    mouse.arrivals = c.arrivals;
    mouse.Attach(m_t->m_host);
    // Escape ends a wait that never sees the click.
    const uint32_t giveUp = m_t->m_host.m_now + 2000;
    m_t->m_host.m_spaceKey = [giveUp](uint32_t now) { return now >= giveUp ? kScanEscape : 0; };
    ASSERT_TRUE(Show("S05"));
    EXPECT_EQ(m_t->Value(kCmdOnResponse, 1, 0), kCatHit);
    EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 0), 20) << "a sad sentence named angry";
    m_t->m_host.m_spaceKey = nullptr;
    m_t->m_host.m_mouseScript = nullptr;
    m_t->m_host.m_buttonsAt = nullptr;
    m_t->m_host.m_nextInputEvent = nullptr;
  }
}

TEST_F(ProsodyPlugin, CodesThatAreNoSentenceAreNotPlayed) {
  Begin();
  for (const char* code : {"X05", "H", "", "H1x"}) {
    SCOPED_TRACE(code);
    m_t->m_host.ClearCalls();
    EXPECT_FALSE(Show(code));
    EXPECT_EQ(m_t->m_host.CountCalls("LoadWaveResource"), 0);
    EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 0), kCatExcluded);
  }
}

// The warning comes from the warning thread; the sentence waits for it.
TEST_F(ProsodyPlugin, TheSentenceFollowsItsWarning) {
  Begin();
  m_t->m_host.ClearCalls();
  EXPECT_EQ(m_t->Value(kCmdWarningInterval), 1000);
  ASSERT_TRUE(m_t->Command(kCmdShowWarning));
  ASSERT_TRUE(Show("S02"));
  const auto& calls = m_t->m_host.Calls();
  const auto cross = std::find_if(calls.begin(), calls.end(),
                                  [](const std::string& c) { return c.rfind("DrawCrossCentred", 0) == 0; });
  const auto load = std::find(calls.begin(), calls.end(), "LoadWaveResource 215 plug-in");
  ASSERT_NE(cross, calls.end());
  ASSERT_NE(load, calls.end());
  EXPECT_LT(cross - calls.begin(), load - calls.begin());
}

// Feedback runs on the task's feedback thread: a red square for 200 ms on
// the front surface, then the background again. The end of the part stops
// and joins the thread: when command 6 returns, the feedback is over.
TEST_F(ProsodyPlugin, WrongAnswerFeedbackEndsWithThePart) {
  Begin({}, 0, true);
  ASSERT_EQ(m_t->m_task.w.TaskFbk & 0xFFFF, 2u) << "visual feedback by default";
  // Every wait of the feedback thread takes real time, so the part ends
  // while it still waits.
  const std::thread::id ui = std::this_thread::get_id();
  std::atomic<int> threadSleeps{0};
  m_t->m_host.m_onSleep = [&](uint32_t) {
    if (std::this_thread::get_id() == ui) return;
    ++threadSleeps;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  };
  ASSERT_TRUE(Show("A7"));
  m_t->m_host.ClearCalls();
  ASSERT_EQ(RespondClicking(CentreOf(2)), kCatHit);  // "Sad" for an angry sentence
  ASSERT_TRUE(m_t->Command(kCmdEndRun));
  EXPECT_EQ(SquaresOf(m_t->m_host, kRed), 1) << "the feedback was shown";
  EXPECT_EQ(SquaresOf(m_t->m_host, 0), 1) << "and taken away before the part ended";
  EXPECT_LT(threadSleeps.load(), 100) << "the end of the part cut the 200 ms short";
  m_t->m_host.m_onSleep = nullptr;
  m_op.reset();
  m_t.reset();  // unloading finds no thread to wait for
}

TEST_F(ProsodyPlugin, RightAnswerGetsNoFeedback) {
  Begin({}, 0, true);
  ASSERT_TRUE(Show("H01"));
  m_t->m_host.ClearCalls();
  ASSERT_EQ(RespondClicking(CentreOf(1)), kCatHit);
  ASSERT_TRUE(m_t->Command(kCmdEndRun));
  EXPECT_EQ(m_t->m_host.CountCalls("FillSquareCentred"), 0);
}

TEST_F(ProsodyPlugin, BreaksStopTheSentenceAndRedrawTheButtons) {
  Begin();
  ASSERT_TRUE(Show("A01"));
  ASSERT_TRUE(m_t->m_host.IsSoundPlaying());
  MemoryDC& back = m_t->m_display.Surface(kSurfaceBack);
  back.ClearCalls();
  EXPECT_EQ(m_t->Value(kCmdBreakBegin), 0);
  EXPECT_FALSE(m_t->m_host.IsSoundPlaying());
  EXPECT_TRUE(Has(TextsOn(back), "Happy"));
  back.ClearCalls();
  EXPECT_EQ(m_t->Value(kCmdBreakEnd), 0);
  EXPECT_TRUE(Has(TextsOn(back), "Frightened"));
  // The display's restore redraws the buttons too.
  ASSERT_NE(m_t->m_host.m_restoreCallback, nullptr);
  back.ClearCalls();
  EXPECT_TRUE(m_t->m_host.m_restoreCallback(m_t->m_host.m_restoreContext));
  EXPECT_TRUE(Has(TextsOn(back), "Sad"));
}

TEST_F(ProsodyPlugin, DemonstrationPlaysEachEmotionInTurn) {
  ASSERT_TRUE(m_t->Setup(1, 0, true));
  // Space when the operator has clicked what was asked.
  m_t->m_host.m_spaceKey = [this](uint32_t) { return m_op->PendingClicks() == 0 ? kScanSpace : 0; };
  m_op->Click(kStart, CentreOf(2));  // "Sad" for the happy sentence: feedback
  ASSERT_TRUE(m_t->Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(m_t->m_runData.get())));
  EXPECT_TRUE(m_t->m_host.Called("LoadWaveResource 249 plug-in"));
  EXPECT_EQ(m_t->m_host.CountCalls("DrawCrossCentred"), 1) << "the warning first";
  EXPECT_EQ(SquaresOf(m_t->m_host, kRed), 1) << "feedback for the wrong emotion";
  EXPECT_EQ(SquaresOf(m_t->m_host, 0), 1);
  EXPECT_NE(std::find(m_t->m_host.m_sleeps.begin(), m_t->m_host.m_sleeps.end(), 1000u), m_t->m_host.m_sleeps.end());
  m_t->m_host.ClearCalls();
  ASSERT_TRUE(m_t->Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(m_t->m_runData.get())));
  EXPECT_TRUE(m_t->m_host.Called("LoadWaveResource 250 plug-in")) << "the next demonstration: sad";
  EXPECT_EQ(m_t->m_host.CountCalls("FillSquareCentred"), 0) << "nothing clicked, no feedback";
  m_t->m_host.m_spaceKey = nullptr;
}

// ---- a whole test list ----------------------------------------------------------

// The testee names the emotion of every sentence aloud; the operator clicks
// it. Wrong names: happy sentences 0 and 1 named sad and angry, sad sentence
// 0 named happy, angry sentences 0, 1, 2 named frightened, happy, happy.
TEST(ProsodyRun, WholeTestListEveryVariableAndZScore) {
  LoadedTask t("PR", kWidth, kHeight);
  ASSERT_TRUE(t.Loaded());
  t.m_task.w.TaskFbk = 0;  // no feedback thread drawing into the test's host while the machine runs
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_EQ(t.m_host.trialCount, 48u);
  ScriptedOperator op(t.m_host);
  op.Click(kStart, CentreOf(0));

  const std::map<int32_t, std::vector<int32_t>> wrongNames = {{pr::kHappy, {pr::kSad, pr::kAngry}},
                                                              {pr::kSad, {pr::kHappy}},
                                                              {pr::kAngry, {pr::kFrightened, pr::kHappy, pr::kHappy}}};
  std::map<int32_t, std::vector<double>> right;                      // by emotion spoken
  std::map<int32_t, std::vector<double>> wrong;                      // by emotion spoken
  std::map<std::pair<int32_t, int32_t>, std::vector<double>> named;  // (named, spoken)
  std::map<int32_t, int> seen;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
    const pr::SentenceCode s = pr::ParseSentenceCode(code.c_str());
    const int k = seen[s.emotion]++;
    const auto wrongOnes = wrongNames.count(s.emotion) ? wrongNames.at(s.emotion) : std::vector<int32_t>{};
    if (k < static_cast<int>(wrongOnes.size())) {
      const int rt = 2500 + 150 * k + 10 * s.emotion;
      wrong[s.emotion].push_back(rt);
      named[{wrongOnes[k], s.emotion}].push_back(rt);
      op.Click(kStart, CentreOf(wrongOnes[k]));
      return Answer{.rtMs = rt, .bits = 1, .holdMs = 200, .voice = true};
    }
    const int rt = 1000 + 200 * s.emotion + 25 * (k - static_cast<int>(wrongOnes.size()));
    right[s.emotion].push_back(rt);
    op.Click(kStart, CentreOf(s.emotion));
    return Answer{.rtMs = rt, .bits = 1, .holdMs = 200, .voice = true};
  }));
  EXPECT_EQ(run.Shown().size(), 48u);
  EXPECT_EQ(op.PendingClicks(), 0u);
  for (int32_t e = pr::kHappy; e <= pr::kFrightened; ++e) EXPECT_EQ(seen[e], 12) << e;

  const char* const letter[] = {"", "h", "s", "a", "f"};
  std::map<std::string, Norm> norms;
  for (int32_t e = pr::kHappy; e <= pr::kFrightened; ++e) {
    norms[std::string("Z") + letter[e] + "_pr"] = Norm{1100.0 + 150 * e, 90.0 + 5 * e};
    norms[std::string("Ze") + letter[e] + "_pr"] = Norm{1.5, e == pr::kSad ? 0.6 : 1.25};
  }
  AddNorms(t, norms);
  EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), 72);

  std::vector<std::string> codes;
  codes.reserve(100);
  std::vector<Expected> expected;
  const auto add = [&](const std::string& code, double value) {
    codes.push_back(code);
    expected.push_back({codes.back().c_str(), value});
  };
  add("Ntot_pr", 48);
  for (int32_t e = pr::kHappy; e <= pr::kFrightened; ++e) {
    const test::RtStats c = StatsOf(right[e]);
    const Norm& norm = norms[std::string("Z") + letter[e] + "_pr"];
    for (const auto& [stat, value] :
         std::vector<std::pair<std::string, double>>{{"N", c.n},
                                                     {"T", c.mean},
                                                     {"S", c.sd},
                                                     {"M", c.median},
                                                     {"L", c.logMean},
                                                     {"U", c.upper},
                                                     {"D", c.lower},
                                                     {"Z", (c.mean - norm.mean) / norm.sd}}) {
      add(stat + letter[e] + "_pr", value);
    }
    const test::RtStats w = StatsOf(wrong[e]);
    const Norm& errors = norms[std::string("Ze") + letter[e] + "_pr"];
    add(std::string("Ne") + letter[e] + "_pr", w.n);
    add(std::string("Te") + letter[e] + "_pr", w.mean);
    add(std::string("Ze") + letter[e] + "_pr", (w.n - errors.mean) / std::max(errors.sd, 1.0));
    for (int32_t other = pr::kHappy; other <= pr::kFrightened; ++other) {
      if (other == e) continue;
      const test::RtStats x = StatsOf(named[{other, e}]);
      add(std::string("Ne") + letter[other] + letter[e] + "_pr", x.n);
      add(std::string("Te") + letter[other] + letter[e] + "_pr", x.mean);
    }
  }
  add("No_pr", 0);
  add("Np_pr", 0);
  add("Ni_pr", 0);
  EXPECT_EQ(expected.size(), 72u) << "every row is checked";
  ExpectValues(t, expected);
  ExpectZFromOwnNorms(t, norms);
}

}  // namespace

}  // namespace qel
