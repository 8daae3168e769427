// The steps of the road that run the mouse task, the auditory task and the
// prosody task on the Assessments page: the operator chooses the first
// testee, the model and the task, starts its test, plays the testee's part
// with the devices a testee would use (the mouse moved through the X test
// extension following the target seen on the screen, the response button
// pressed when a target tone sounds, a voice on the sound input and the
// operator's clicks on the emotion buttons), and saves the score from the
// score dialog the run opens. What the score dialog showed is kept for the
// later steps.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/settings/SystemSettings.h"
#include "app/tests/road/RoadRuns.h"
#include "app/tests/road/RoadSteps.h"
#include "engine/run/RunMachine.h"

namespace qel::road {

namespace {

using Page = CDlgTabAssessment;

const RoadTask& kPursuit = kRoadTasks[2];
const RoadTask& kAuditory = kRoadTasks[3];
const RoadTask& kProsody = kRoadTasks[4];

// The testee's screen: the target of the mouse task is drawn in green, its
// pointer in white on black.
constexpr uint32_t kTargetRgb = 0x00FF00;
constexpr uint32_t kPointerRgb = 0xFFFFFF;
// How the testee's hand follows the target: at most this many pixels a
// step, a step every so often, and only part of the way (a hand lags).
constexpr int kMostStep = 40;
constexpr int kFollowPercent = 80;
constexpr auto kFollowEvery = 40ms;
// The mouse task's part, from the plug-in's default: 60 s sampled every
// 100 ms.
constexpr int kPursuitSamples = 600;

// Loose bound on a part of a task (the longest the road runs is Prosody's).
constexpr auto kPartLimit = 15min;

// ---- the program's state, read on its thread ----------------------------------------

// The message box of the program's with exactly the title, shown.
bool MessageShown(const std::string& title) {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* top = wxDynamicCast(window, wxTopLevelWindow);
    if (top && top->IsShown() && top->GetTitle().utf8_string() == title) return true;
  }
  return false;
}

// What the run knows of its part: the trial going on, and the run clock.
struct RunPoint {
  bool inProgress = false;  // the run has not ended
  bool secondList = false;  // the part's lead-in of the second list
  uint32_t index = 0;       // the trial going on (of its list)
  std::string code;         // its trial code
  CRunMachine::Phase phase = CRunMachine::Phase::kIdle;
  uint32_t signalOn = 0;  // the run clock's time of the trial's signal
  uint32_t now = 0;       // the run clock's time now
};

RunPoint ReadRunPoint() {
  RunPoint point;
  CQelProgram* program = GetProgram();
  point.inProgress = IsAnyRunInProgress();
  CDlgRun* run = ActiveRunDialog();
  if (!program || !run || !point.inProgress) return point;
  CRunMachine& machine = run->Machine();
  point.secondList = machine.InSecondList();
  point.index = point.secondList ? machine.GetSecondIndex() : machine.GetTrialIndex();
  point.phase = machine.GetPhase();
  point.signalOn = machine.GetTimes().signalOn;
  point.now = run->Timer().GetElapsedMs();
  const ITaskHost& host = program->Host();
  if (point.secondList) {
    if (host.secondList && point.index < host.secondCount) point.code = host.secondList[point.index];
  } else if (point.index < host.trialCount) {
    point.code = host.trialList[point.index];
  }
  return point;
}

// ---- the operator's helpers on the Assessments page ---------------------------------------

// The Assessments page shows the first testee, the road's model and the
// task, part 1.
void SelectTaskOnPage(Operator& op, const RoadTask& task) {
  SelectTesteeModelTaskPart(op, kTestees[0], std::string(), task, 1);
}

// The operator starts the test of the page's task; the program's one
// warning of a machine without real-time timing is acknowledged.
void StartTest(Operator& op) {
  op.Click(OnPage(kPageAssessments, Page::kIdTest), "Test");
  bool warned = false;
  op.WaitUntil(
      [&] {
        if (op.OnMain([] { return MessageShown(kMessageBoxTitle); })) {
          if (warned) return false;
          warned = true;
          op.AcknowledgeMessage("no real-time timing");
          op.SetWindow("testee's screen");
        }
        return op.OnMain([] { return IsAnyRunInProgress(); });
      },
      "the test run to start");
  op.SetWindow("testee's screen");
}

// Waits until the run is over (the operator waits at the monitor).
void WaitRunOver(Operator& op, const std::function<void()>& meanwhile = nullptr) {
  const auto end = std::chrono::steady_clock::now() + kPartLimit;
  while (op.OnMain([] { return IsAnyRunInProgress(); })) {
    if (std::chrono::steady_clock::now() > end) op.Fail("the part does not end");
    if (meanwhile) {
      meanwhile();
    } else {
      std::this_thread::sleep_for(kPoll);
    }
  }
}

// The score dialog the run opened: the operator reads it and saves the
// score; what it showed is kept under the task's name.
std::vector<std::string> SaveScore(Operator& op, const RoadTask& task, ShownScores& shown) {
  std::string caption;
  op.WaitUntil([&] { return !(caption = ScoreDialogCaption(op)).empty(); }, "the score dialog");
  const bool savable = op.OnMain([caption] {
    auto* score = dynamic_cast<CDlgScore*>(Operator::ShownTopLevel(caption));
    return score && score->Document().MaySave();
  });
  if (!savable) op.Fail("the score dialog offers no saving");
  return SaveScoreShown(op, caption, task, shown);
}

double ShownNumber(Operator& op, const std::vector<std::string>& cells, const std::string& code) {
  const std::string text = ShownValue(cells, code).value_or(std::string());
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end == text.c_str()) op.Fail("the score dialog shows no value for " + code);
  return value;
}

// The page's list of the current task's assessments shows the saved one
// (assessment 1 of the testee, the model and the task) before the row of
// the next, and the page counts it as filed.
void ExpectAssessmentListed(Operator& op, const std::string& taskCode) {
  op.WaitProgram(
      [taskCode](wxTopLevelWindow* top) {
        CDlgTabAssessment* page = AssessmentsPage(top);
        if (!page || page->GetCurrentTask() != taskCode || page->GetFiledCount() != 1) return false;
        const std::vector<std::string> cells = ListRows(page->GetList());
        const int columns = page->GetList()->GetColumnCount();
        if (columns < 1 || cells.size() < static_cast<size_t>(columns)) return false;
        const std::vector<std::string> first(cells.begin(), cells.begin() + columns);
        return Holds(first, kTestees[0]) && Holds(first, kRoadModelName) && Holds(first, taskCode);
      },
      "the Assessments page to list the saved assessment of " + taskCode);
}

// ---- the testee's screen ----------------------------------------------------------------

// The middle of the pixels of one colour on the screen; none when there
// are none.
std::optional<wxPoint> CentreOf(const test::XScreenShot& shot, uint32_t rgb) {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if (shot.At(x, y) != rgb) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (left > right) return std::nullopt;
  return wxPoint((left + right) / 2, (top + bottom) / 2);
}

}  // namespace

// ---- Pursuit ----------------------------------------------------------------------------------

// The operator runs Pursuit's test, part 1 (the left hand, 60 s): the testee
// follows the green target with the mouse, looking at the screen and
// moving the hand most of the way to it, again and again. The score dialog
// shows every sample of the minute, the pointer mostly near the target.
void RunPursuitTest(Operator& op, ShownScores& shown) {
  op.SetStep("4 Pursuit test run (part 1, 60 s)");
  SelectTaskOnPage(op, kPursuit);
  StartTest(op);
  XTestInput hand;
  if (!hand.Ok()) op.Fail("no X server for the testee's mouse");
  // The testee's screen: the target is drawn.
  op.WaitUntil([&] { return CentreOf(test::XScreenShot(), kTargetRgb).has_value(); }, "the target on the screen");
  hand.Warp(hand.ScreenWidth() / 2, hand.ScreenHeight() / 2);
  hand.Sync();
  int moves = 0;
  WaitRunOver(op, [&] {
    const test::XScreenShot shot;
    const std::optional<wxPoint> target = CentreOf(shot, kTargetRgb);
    const std::optional<wxPoint> pointer = CentreOf(shot, kPointerRgb);
    if (target && pointer) {
      const int dx = std::clamp((target->x - pointer->x) * kFollowPercent / 100, -kMostStep, kMostStep);
      const int dy = std::clamp((target->y - pointer->y) * kFollowPercent / 100, -kMostStep, kMostStep);
      if (dx != 0 || dy != 0) {
        hand.Move(dx, dy);
        hand.Flush();
        ++moves;
      }
    }
    std::this_thread::sleep_for(kFollowEvery);
  });
  if (moves == 0) op.Fail("the testee's hand never saw the target and the pointer together");

  const std::vector<std::string> cells = SaveScore(op, kPursuit, shown);
  // Every sample of the minute; the pointer followed the target closely.
  if (ShownNumber(op, cells, "Nl_pu") != kPursuitSamples) op.Fail("Nl_pu is not " + std::to_string(kPursuitSamples));
  const double deviation = ShownNumber(op, cells, "Dl_pu");
  const double within12 = ShownNumber(op, cells, "P12l_pu");
  if (!(deviation > 0 && deviation < 12)) op.Fail("the mean deviation Dl_pu " + std::to_string(deviation) + " mm");
  if (!(within12 > 50 && within12 <= 100)) op.Fail("P12l_pu " + std::to_string(within12) + " %");
  ExpectAssessmentListed(op, "PU");
}

// ---- Sustained Attention Auditory ---------------------------------------------------------

namespace {

// The tone the testee answers (version 1: the high one), the series the run
// goes on for, the targets the testee lets pass at the start, and the
// low-tone trial (the first from this one on) the testee answers wrongly.
constexpr char kHighTone = '3';
constexpr char kLowTone = '1';
constexpr uint32_t kSeriesTrials = 36;
constexpr int kTargetsMissed = 2;
constexpr uint32_t kFalseAlarmFrom = 10;
// Twelve of the 36 codes of a series are targets.
constexpr int kTargetsPerSeries = 12;
// The testee's answer comes this long after the tone starts (its response
// window lasts from 200 ms to 1500 ms by default, to 800 ms in the road's
// model), the button held this long.
constexpr uint32_t kAnswerMs = 450;
constexpr auto kHeld = 100ms;
// Escape is pressed this often at most, the break awaited this long each time.
constexpr int kBreakPresses = 5;
constexpr auto kBreakComes = 3s;
// The tones' onsets lie at least this many ms apart (one every 1750 ms by
// default, every 1000 ms in the road's model).
constexpr uint32_t kTrialsApart = 700;

// The testee's response: the response device's button, or its key.
void Respond(XTestInput& hand, bool keyboard) {
  if (keyboard) {
    hand.KeyNamed("Shift_L", true);
  } else {
    hand.Button(kLeftButton, true);
  }
  hand.Sync();
  std::this_thread::sleep_for(kHeld);
  if (keyboard) {
    hand.KeyNamed("Shift_L", false);
  } else {
    hand.Button(kLeftButton, false);
  }
  hand.Sync();
}

}  // namespace

// The operator runs the test of "Sustained Attention Auditory", version 1:
// one tone every 1.75 s, the high one the target. The testee answers with
// the response device: every target but the first two of the test list,
// and once a low tone; the lead-in of the second list is answered as well
// and not scored. After the first series of 36 trials the operator breaks
// the run with Escape and stops it: the complete series is scored and may
// be saved. The score dialog shows the series' hits, misses and false
// alarms as the testee gave them.
void RunAuditoryTest(Operator& op, ShownScores& shown) {
  op.SetStep("4 Sustained Attention Auditory test run (one series of 36, then stopped)");
  SelectTaskOnPage(op, kAuditory);
  const bool keyboard = op.OnMain([] { return g_ButtonType == kButtonTypeKeyboard; });
  StartTest(op);
  XTestInput hand;
  if (!hand.Ok()) op.Fail("no X server for the testee's hand");

  uint32_t lastOnset = 0;
  std::pair<bool, uint32_t> lastTrial{true, UINT32_MAX};
  int targets = 0;
  bool falseAlarm = false;
  const auto end = std::chrono::steady_clock::now() + kPartLimit;
  for (;;) {
    if (std::chrono::steady_clock::now() > end) op.Fail("the first series does not end");
    const RunPoint point = op.OnMain([] { return ReadRunPoint(); });
    if (!point.inProgress) op.Fail("the run ended before its first series was over");
    if (!point.secondList && point.index >= kSeriesTrials) break;
    // A tone has begun: the trial is a new one and its signal's time is
    // that of a later trial than the last tone's.
    const std::pair<bool, uint32_t> trial{point.secondList, point.index};
    if (point.phase != CRunMachine::Phase::kTrial || point.code.empty() || trial == lastTrial ||
        point.signalOn < lastOnset + kTrialsApart) {
      std::this_thread::sleep_for(kPoll / 2);
      continue;
    }
    lastTrial = trial;
    lastOnset = point.signalOn;
    bool answer = point.code[0] == kHighTone;
    if (!point.secondList && answer) answer = ++targets > kTargetsMissed;
    if (!point.secondList && !falseAlarm && point.code[0] == kLowTone && point.index >= kFalseAlarmFrom) {
      answer = falseAlarm = true;
    }
    if (answer) {
      // The run knows when the tone starts (a moment ahead, when the trial
      // before ended early with an answer).
      const int64_t wait = static_cast<int64_t>(point.signalOn) + kAnswerMs - point.now;
      std::this_thread::sleep_for(std::chrono::milliseconds(std::max<int64_t>(wait, 0)));
      Respond(hand, keyboard);
    }
  }
  if (targets != kTargetsPerSeries || !falseAlarm) op.Fail("the testee did not hear the series' tones as scripted");

  // Escape, held a moment, breaks the run (pressed again when the break
  // does not come); the operator stops it and confirms.
  for (int press = 0; press < kBreakPresses && !op.OnMain([] { return Operator::ShownTopLevel("Break") != nullptr; });
       ++press) {
    hand.KeyNamed("Escape", true);
    hand.Sync();
    std::this_thread::sleep_for(kHeld);
    hand.KeyNamed("Escape", false);
    hand.Sync();
    const auto until = std::chrono::steady_clock::now() + kBreakComes;
    while (std::chrono::steady_clock::now() < until &&
           !op.OnMain([] { return Operator::ShownTopLevel("Break") != nullptr; })) {
      std::this_thread::sleep_for(kPoll);
    }
  }
  const XTopWindow pause = op.WaitWindow("Break");
  op.Click(wxID_OK, "Stop");
  op.WaitWindow("Sustained Attention Auditory", true);
  op.PressWith("Alt_L", "y");
  op.WaitGone(pause);

  const std::vector<std::string> cells = SaveScore(op, kAuditory, shown);
  const struct {
    const char* code;
    double value;
  } expected[] = {{"Ntrl_st", kSeriesTrials},
                  {"Nser_st", 1},
                  {"Nh_st", kTargetsPerSeries - kTargetsMissed},
                  {"Nm_st", kTargetsMissed},
                  {"Nfl_st", 1},
                  {"Nfm_st", 0},
                  {"Nfh_st", 0},
                  {"Np_st", 0}};
  for (const auto& e : expected) {
    const double value = ShownNumber(op, cells, e.code);
    if (value != e.value) op.Fail(std::string(e.code) + " shows " + std::to_string(value));
  }
  ExpectAssessmentListed(op, "SAA");
}

// ---- Prosody ----------------------------------------------------------------------------------

namespace {

// The testee's voice at the sound input: SDL's disk driver reads the input
// from a named pipe, which this feed keeps a few blocks ahead of it with
// silence, or with a loud 1 kHz tone while the testee speaks (8000 frames
// a second of two 16-bit channels, the voice key's format).
class VoiceFeed {
 public:
  static constexpr int kRate = 8000;
  static constexpr int kChannels = 2;
  static constexpr int kToneHz = 1000;
  static constexpr double kAmplitude = 16000;
  static constexpr int kBlockFrames = 80;  // 10 ms
  static constexpr int kAheadBytes = 4 * kBlockFrames * kChannels * 2;
  static constexpr auto kEvery = 2ms;

  explicit VoiceFeed(const std::string& path) : m_path(path) {
    if (::mkfifo(path.c_str(), 0600) != 0) return;
    // Read and write: opening it never waits for the reader, and the reader
    // never sees its end while the feed lives.
    m_fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    if (m_fd >= 0) m_thread = std::thread([this] { Run(); });
  }
  ~VoiceFeed() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_fd >= 0) ::close(m_fd);
    ::unlink(m_path.c_str());
  }
  bool Ok() const { return m_fd >= 0; }
  // The testee speaks for this long from now.
  void Speak(std::chrono::milliseconds length) {
    m_until = std::chrono::steady_clock::now().time_since_epoch().count() +
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(length).count();
  }

 private:
  void Run() {
    std::vector<char> block(kBlockFrames * kChannels * 2);
    while (!m_stop) {
      int queued = 0;
      if (::ioctl(m_fd, FIONREAD, &queued) == 0 && queued < kAheadBytes) {
        const bool speaking = std::chrono::steady_clock::now().time_since_epoch().count() < m_until.load();
        for (int frame = 0; frame < kBlockFrames; ++frame, ++m_frame) {
          const double phase = 2 * M_PI * kToneHz * static_cast<double>(m_frame) / kRate;
          const auto v = static_cast<int16_t>(speaking ? std::lround(kAmplitude * std::sin(phase)) : 0);
          for (int c = 0; c < kChannels; ++c) {
            block[(frame * kChannels + c) * 2] = static_cast<char>(v & 0xFF);
            block[(frame * kChannels + c) * 2 + 1] = static_cast<char>((v >> 8) & 0xFF);
          }
        }
        if (::write(m_fd, block.data(), block.size()) < 0) std::this_thread::sleep_for(kEvery);
        continue;
      }
      std::this_thread::sleep_for(kEvery);
    }
  }

  std::string m_path;
  int m_fd = -1;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  std::atomic<int64_t> m_until{0};
  int64_t m_frame = 0;
};

// The operator's buttons on the testee's screen, for a screen centre: the
// small button 0 ("Start", then "==>") and the large emotion buttons 1..4
// (happy, sad, angry, frightened) in a row below it; the task's own pointer
// starts between them.
constexpr int kSmallWidth = 113, kSmallHeight = 50, kLargeWidth = 169, kLargeHeight = 75;
wxRect ProsodyButton(int button, int cx, int cy) {
  if (button == 0) return wxRect(cx - 56, cy + 25, kSmallWidth, kSmallHeight);
  return wxRect(cx + 185 * button - 547, cy * 3 / 2 - 37, kLargeWidth, kLargeHeight);
}
wxPoint ProsodyPointerStart(int cx, int cy) { return wxPoint(cx, cy * 3 / 2 - 75); }

// The sentences' emotions by their code's letter, as the buttons name them.
constexpr char kEmotionLetters[] = "HSAF";
constexpr int kSad = 2;
constexpr int kAngry = 3;
// The operator names every sentence's emotion as the testee did: right,
// but the sad sentences of the first quarter (three of its twelve) the
// testee took for angry.
constexpr uint32_t kQuarter = 12;
constexpr int kSadTakenForAngry = 3;
constexpr int kSentences = 48;
// The testee answers this long after the sentence starts (the voice key
// counts from 300 ms on), and speaks for this long.
constexpr uint32_t kSpeakMs = 700;
constexpr auto kSpeaking = 300ms;
// The longest wait for the buttons after the answer (the answer window
// lasts 6 s).
constexpr auto kButtonsComeLimit = 8s;

// Whether the operator's button 0 is on the screen: its light face.
bool ButtonZeroShown(int cx, int cy) {
  const wxRect r = ProsodyButton(0, cx, cy);
  const test::XScreenShot shot(r.x, r.y, r.width, r.height);
  const uint32_t face = shot.At(8, r.height / 2);
  constexpr uint32_t kLightRed = 0x90;
  return face != 0xFFFFFFFFu && ((face >> 16) & 0xFF) > kLightRed;
}

// Waits, looking at the screen only (the program's thread runs the click
// loop meanwhile), until button 0 is shown or gone; false after the limit.
bool WaitButtonZero(bool shown, int cx, int cy, std::chrono::steady_clock::duration limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (ButtonZeroShown(cx, cy) == shown) return true;
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

// Whether the task's pointer is drawn at its starting place, on the black
// between the "Start" button and the emotion buttons.
bool PointerAtStart(int cx, int cy) {
  constexpr int kMargin = 4;
  constexpr int kArrow = 24;
  const wxPoint start = ProsodyPointerStart(cx, cy);
  return test::XScreenShot(start.x - kMargin, start.y - kMargin, kArrow, kArrow).CountLit() > 0;
}

// The operator moves the task's pointer from where it starts to the
// button, watches it leave its place, and clicks (the X pointer itself kept
// in the middle of the screen, so that no edge stops the mouse's
// movement). False when the pointer did not follow the mouse.
bool ClickProsodyButton(XTestInput& hand, int button, int cx, int cy) {
  constexpr int kStep = 25;
  constexpr auto kStepEvery = 5ms;
  constexpr auto kSettle = 50ms;
  constexpr auto kPressed = 80ms;
  constexpr auto kPointerFollows = 5s;
  hand.Warp(cx, cy);
  hand.Sync();
  const wxRect r = ProsodyButton(button, cx, cy);
  const wxPoint start = ProsodyPointerStart(cx, cy);
  int dx = r.x + r.width / 2 - start.x;
  int dy = r.y + r.height / 2 - start.y;
  while (dx != 0 || dy != 0) {
    const int sx = std::clamp(dx, -kStep, kStep);
    const int sy = std::clamp(dy, -kStep, kStep);
    hand.Move(sx, sy);
    hand.Sync();
    dx -= sx;
    dy -= sy;
    std::this_thread::sleep_for(kStepEvery);
  }
  const auto seen = std::chrono::steady_clock::now() + kPointerFollows;
  while (PointerAtStart(cx, cy)) {
    if (std::chrono::steady_clock::now() > seen) return false;
    std::this_thread::sleep_for(kStepEvery);
  }
  std::this_thread::sleep_for(kSettle);
  hand.Button(kLeftButton, true);
  hand.Sync();
  std::this_thread::sleep_for(kPressed);
  hand.Button(kLeftButton, false);
  hand.Sync();
  return true;
}

}  // namespace

// The operator runs the Prosody test (all 48 sentences): the testee's voice
// comes to the sound input through SDL's disk driver, a moment after each
// sentence starts; then the operator clicks, on the testee's screen, the
// emotion the testee named. The score dialog shows every sentence judged,
// the three sad sentences taken for angry among them.
void RunProsodyTest(Operator& op, ShownScores& shown, const std::string& folder) {
  op.SetStep("4 Prosody test run (48 sentences)");
  SelectTaskOnPage(op, kProsody);
  const std::string voice = folder + "/voice.pipe";
  VoiceFeed feed(voice);
  if (!feed.Ok()) op.Fail("no pipe for the testee's voice");
  ::setenv("SDL_DISKAUDIOFILEIN", voice.c_str(), 1);
  XTestInput hand;
  if (!hand.Ok()) op.Fail("no X server for the operator's mouse");
  const int cx = hand.ScreenWidth() / 2;
  const int cy = hand.ScreenHeight() / 2;

  // The part waits for the operator's "Start" on the testee's screen; the
  // program's thread runs that wait, so only the screen is looked at.
  op.Click(OnPage(kPageAssessments, Page::kIdTest), "Test");
  op.SetWindow("testee's screen");
  if (!WaitButtonZero(true, cx, cy, kWindowWait)) op.Fail("no \"Start\" button on the testee's screen");
  if (!ClickProsodyButton(hand, 0, cx, cy)) op.Fail("the task's pointer does not follow the mouse to \"Start\"");
  if (!WaitButtonZero(false, cx, cy, kWindowWait)) op.Fail("\"Start\" stays on the testee's screen");

  uint32_t lastOnset = 0;
  std::pair<bool, uint32_t> lastTrial{true, UINT32_MAX};
  int sadTaken = 0;
  int judged = 0;
  const auto end = std::chrono::steady_clock::now() + kPartLimit;
  for (;;) {
    if (std::chrono::steady_clock::now() > end) op.Fail("the part does not end");
    const RunPoint point = op.OnMain([] { return ReadRunPoint(); });
    if (!point.inProgress) break;
    const std::pair<bool, uint32_t> trial{point.secondList, point.index};
    if (point.phase != CRunMachine::Phase::kTrial || point.code.empty() || trial == lastTrial ||
        point.signalOn < lastOnset + kTrialsApart) {
      std::this_thread::sleep_for(kPoll / 2);
      continue;
    }
    lastTrial = trial;
    lastOnset = point.signalOn;
    const char* letter = std::strchr(kEmotionLetters, point.code[0]);
    if (!letter || point.code[0] == '\0') op.Fail("a sentence of no emotion: " + point.code);
    const int presented = static_cast<int>(letter - kEmotionLetters) + 1;
    int named = presented;
    if (presented == kSad && point.index < kQuarter && sadTaken < kSadTakenForAngry) {
      named = kAngry;
      ++sadTaken;
    }
    // The testee speaks; the operator clicks the emotion named once the
    // buttons are there.
    const int64_t wait = static_cast<int64_t>(point.signalOn) + kSpeakMs - point.now;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max<int64_t>(wait, 0)));
    feed.Speak(kSpeaking);
    if (!WaitButtonZero(true, cx, cy, kButtonsComeLimit)) continue;
    if (!ClickProsodyButton(hand, named, cx, cy)) op.Fail("the task's pointer does not follow the mouse");
    if (!WaitButtonZero(false, cx, cy, kWindowWait)) op.Fail("the emotion buttons stay after the click");
    ++judged;
  }
  ::unsetenv("SDL_DISKAUDIOFILEIN");
  if (judged != kSentences || sadTaken != kSadTakenForAngry) {
    op.Fail("the operator judged " + std::to_string(judged) + " sentences, " + std::to_string(sadTaken) +
            " sad ones taken for angry");
  }

  const std::vector<std::string> cells = SaveScore(op, kProsody, shown);
  const struct {
    const char* code;
    double value;
  } expected[] = {{"Ntot_pr", kSentences},
                  {"Nh_pr", kQuarter},
                  {"Ns_pr", kQuarter - kSadTakenForAngry},
                  {"Na_pr", kQuarter},
                  {"Nf_pr", kQuarter},
                  {"Nes_pr", kSadTakenForAngry},
                  {"Neas_pr", kSadTakenForAngry},
                  {"No_pr", 0}};
  for (const auto& e : expected) {
    const double value = ShownNumber(op, cells, e.code);
    if (value != e.value) op.Fail(std::string(e.code) + " shows " + std::to_string(value));
  }
  ExpectAssessmentListed(op, "PR");
}

// ---- what was stored ------------------------------------------------------------------------

namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

// How far a value shown with the text may lie from the value behind it:
// half a unit of its last digit.
double ShownTolerance(const std::string& text) {
  const size_t point = text.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  return 0.5 * std::pow(10.0, -decimals) + 1e-9;
}

}  // namespace

std::string CompareStoredScore(const std::string& project, const std::string& password, const std::string& taskCode,
                               const std::vector<std::string>& shownCells) {
  const std::string row =
      QueryProject(project, password,
                   "SELECT hex(VarNames) || '|' || hex(VarValues) FROM Variables WHERE Testee = '" +
                       std::string(kTestees[0]) + "' AND Task = '" + taskCode + "' ORDER BY AssNo DESC LIMIT 1;");
  const size_t bar = row.find('|');
  if (bar == std::string::npos) return "no stored score of " + taskCode + ": " + row;
  const std::vector<uint8_t> names = FromHex(row.substr(0, bar));
  const std::vector<uint8_t> values = FromHex(row.substr(bar + 1, row.find_last_not_of('\n') - bar));
  // The names one after the other, each ended by a zero byte; the values
  // little-endian doubles in the same order.
  std::map<std::string, double> stored;
  size_t at = 0;
  for (size_t i = 0; at < names.size() && (i + 1) * sizeof(double) <= values.size(); ++i) {
    const auto end = std::find(names.begin() + static_cast<long>(at), names.end(), uint8_t{0});
    const std::string name(names.begin() + static_cast<long>(at), end);
    double value = 0;
    std::memcpy(&value, values.data() + i * sizeof(double), sizeof value);
    if (!name.empty()) stored[name] = value;
    at = static_cast<size_t>(end - names.begin()) + 1;
  }
  int compared = 0;
  std::string faults;
  for (size_t i = 0; i + 1 < shownCells.size(); ++i) {
    const auto found = stored.find(shownCells[i]);
    if (found == stored.end()) continue;
    const std::string& text = shownCells[i + 1];
    char* end = nullptr;
    const double shownValue = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') continue;
    ++compared;
    if (std::abs(found->second - shownValue) > ShownTolerance(text)) {
      faults += " " + found->first + " shown " + text + ", stored " + std::to_string(found->second) + ";";
    }
  }
  if (compared == 0) return "no value the score dialog showed for " + taskCode + " is among the stored ones";
  return faults;
}

}  // namespace qel::road
