// The steps of the road that run the model's first tasks for the first
// testee on the Assessments page: Tapping's part 1 and Memory Search
// Letters' part 1, each score saved from the score dialog the run opens;
// and Tapping's score rebuilt from its stored taps and saved again.
#include <cctype>
#include <cstring>

#include "app/tests/road/RoadRuns.h"
#include "app/tests/road/RoadSteps.h"
#include "engine/library/TaskLibraries.h"

namespace qel::road {

namespace {

const RoadTask& kTapping = kRoadTasks[0];
const RoadTask& kMemorySearch = kRoadTasks[1];
constexpr int kFirstPart = 1;
// Tapping's part 1 is the left hand's: Space is one of its keys and starts
// the part. Taps count once the lead-in after the first tap is over.
constexpr char kTapKey[] = "space";
constexpr auto kLeadIn = 3000ms;
constexpr auto kLeadInMargin = 600ms;
constexpr auto kPartEndMargin = 1500ms;
constexpr char kTapsVariable[] = "Nlu_tp";
// Memory Search Letters: the yes-button and the no-button as the page's
// keys mapping gives them (initially yes right, no left); every fifth
// display the testee answers wrongly.
constexpr char kInitialMapping[] = "Initial keys mapping";
constexpr int kWrongEvery = 5;
constexpr auto kReactionTime = 450ms;
constexpr int kDisplayLetters = 4;
// The run's indicator of a shown signal.
constexpr char kSignalShown[] = "!";
// The notes "Build score" adds to the score dialogs' captions: the
// recalculated score offered for saving, and the stored one shown after.
constexpr char kRecalculatedNote[] = "recalculated and destined for new saving!";
constexpr char kStoredAfterNote[] = "after recalculation!";

// The task library loaded from the plug-in file; on the program's thread.
CTaskLibrary* LibraryOf(const RoadTask& task) {
  for (int i = 0; i < GetTaskLibraryCount(); ++i) {
    CTaskLibrary* library = GetTaskLibrary(i);
    if (library && fs::path(library->GetPath()).stem() == task.plugin) return library;
  }
  return nullptr;
}

// The part's length in seconds in the page's model (the model may have
// been given another length than the plug-in's).
uint32_t PartSeconds(Operator& op, int part) {
  return ReadAssessmentsPage(op, [part](CDlgTabAssessment* page) -> uint32_t {
    CExpModelTask* task = page ? page->GetPageModel().GetCurrentTask() : nullptr;
    return task ? task->TaskPartTrials[part - 1] : 0u;
  });
}

// The cells of the page's list of the current task's parts.
std::vector<std::string> PartsList(Operator& op) {
  return op.OnMain([] {
    wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
    return top ? ListRows(OnPage(kPageAssessments, CDlgTabAssessment::kIdList)(top)) : std::vector<std::string>();
  });
}

// The page's parts list shows the part's highest assessment number and
// its completed assessments ("1, 2").
constexpr int kPartsColumns = 7;
constexpr int kAnoMaxColumn = 5;
constexpr int kCompletedColumn = 6;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void ExpectPartsList(Operator& op, int part, const std::string& anoMax, const std::string& completed) {
  std::vector<std::string> cells;
  auto shows = [&] {
    cells = PartsList(op);
    const size_t row = static_cast<size_t>(part - 1) * kPartsColumns;
    return cells.size() >= row + kPartsColumns && Trimmed(cells[row + kAnoMaxColumn]) == anoMax &&
           Trimmed(cells[row + kCompletedColumn]) == completed;
  };
  op.WaitUntil(shows, "the parts list to show part " + std::to_string(part) + " with assessments \"" + completed + "\"");
}

// The rows (of the score dialog's columns) of `wanted` that `cells` does
// not list, joined; empty when it lists them all.
std::string RowsMissing(const std::vector<std::string>& wanted, const std::vector<std::string>& cells) {
  std::string missing;
  for (size_t row = 0; row + kScoreColumns <= wanted.size(); row += kScoreColumns) {
    bool found = false;
    for (size_t at = 0; !found && at + kScoreColumns <= cells.size(); at += kScoreColumns) {
      found = std::equal(wanted.begin() + row, wanted.begin() + row + kScoreColumns, cells.begin() + at);
    }
    if (!found) missing += "[" + wanted[row + kScoreNameColumn] + "]";
  }
  return missing;
}

std::string Joined(const std::vector<std::string>& cells) {
  std::string text;
  for (const std::string& cell : cells) text += (text.empty() ? "" : "|") + cell;
  return text;
}

// One Tapping test run of part 1: the testee starts the part with Space,
// taps once to begin, waits out the lead-in and taps `taps` times well
// within the part's time. The score dialog shows the taps counted.
void RunTapping(Operator& op, ShownScores& shown, int taps) {
  TesteeKeys keys;
  if (!keys.Ready()) op.Fail("no keys for the testee");
  SelectTesteeModelTaskPart(op, kTestees[0], std::string(), kTapping, kFirstPart);
  const uint32_t seconds = PartSeconds(op, kFirstPart);
  const auto tapping = std::chrono::milliseconds(seconds * 1000) - kLeadInMargin - kPartEndMargin;
  if (tapping < 2 * kKeyHold * taps) op.Fail("part 1 lasts " + std::to_string(seconds) + " s: too short for the taps");

  const wxPoint home = StartTestRun(op);
  keys.Tap(kTapKey);
  // The counter shows once the part waits for the first tap.
  op.WaitUntil([&] { return DrawnInCentre(keys); }, "the tap counter");
  keys.Tap(kTapKey);
  std::this_thread::sleep_for(kLeadIn + kLeadInMargin - 2 * kKeyHold);
  for (int tap = 0; tap < taps; ++tap) keys.Tap(kTapKey);
  const std::string caption = WaitRunEnd(op, home);

  const std::vector<std::string> cells = SaveScoreShown(op, caption, kTapping, shown);
  const std::optional<std::string> counted = ShownValue(cells, kTapsVariable);
  if (counted != std::to_string(taps)) {
    op.Fail("the score dialog showed " + std::string(kTapsVariable) + " = \"" + counted.value_or("<not listed>") +
            "\" for " + std::to_string(taps) + " taps: " + Joined(cells));
  }
}

// What the testee sees of a Memory Search Letters trial: its display's
// letters while the signal is on, the trial's number, the memory letters.
struct ShownTrial {
  bool signal = false;
  uint32_t trial = 0;
  std::string letters;
  std::string memory;
};

ShownTrial ReadTrial(Operator& op, const RoadTask& task) {
  return op.OnMain([task] {
    ShownTrial shown;
    CQelProgram* program = GetProgram();
    CTaskLibrary* library = LibraryOf(task);
    CDlgRun* run = ActiveRunDialog();
    if (!program || !library || !run) return shown;
    ITaskHost& host = program->Host();
    shown.signal = std::string(run->Machine().GetIndicator(CRunMachine::kIndSignal)) == kSignalShown;
    shown.trial = host.trialIndex;
    shown.letters.assign(host.currentCode, strnlen(host.currentCode, kDisplayLetters));
    // The memory letters as the instruction lists them ("k" or "k,r").
    for (char c : library->runText) {
      if (std::isalpha(static_cast<unsigned char>(c))) shown.memory += static_cast<char>(std::tolower(c));
    }
    return shown;
  });
}

// A display is a target when it holds every memory letter.
bool IsTarget(const ShownTrial& trial) {
  std::string letters;
  for (char c : trial.letters) letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return !trial.memory.empty() && std::all_of(trial.memory.begin(), trial.memory.end(),
                                              [&](char m) { return letters.find(m) != std::string::npos; });
}

// The answers the testee gave, by kind.
struct Answers {
  int hits = 0;
  int misses = 0;
  int correctRejections = 0;
  int falseAlarms = 0;
};

}  // namespace

// Step 4: Tapping's part 1 run as a test for the first testee; the score
// dialog shows the taps the testee made after the lead-in; saved.
void RunTappingTest(Operator& op, ShownScores& shown) {
  op.SetStep("4 Tapping test run (part 1), score saved");
  RunTapping(op, shown, kFirstTappingTaps);
  ExpectPartsList(op, kFirstPart, "1", "1");
}

// Step 4: Memory Search Letters' part 1 as a test: Space starts the part;
// for every display the testee answers with the yes-key when it holds the
// memory letters, with the no-key when not, wrongly every fifth display.
// The run dialog's counters and the score dialog show those answers.
void RunMemorySearchTest(Operator& op, ShownScores& shown) {
  op.SetStep("4 Memory Search Letters test run (part 1), score saved");
  TesteeKeys keys;
  if (!keys.Ready()) op.Fail("no keys for the testee");
  SelectTesteeModelTaskPart(op, kTestees[0], std::string(), kMemorySearch, kFirstPart);
  const std::string mapping = op.ControlText(kFrameTitle, OnPage(kPageAssessments, CDlgTabAssessment::kIdKeysMapping));
  const bool initial = mapping == kInitialMapping;
  const unsigned yes = initial ? kRightMouseButton : kLeftMouseButton;
  const unsigned no = initial ? kLeftMouseButton : kRightMouseButton;

  const wxPoint home = StartTestRun(op);
  keys.PointAtCentre();
  keys.Tap(kTapKey);
  Answers answers;
  int answered = 0;
  // The trial answered last (none: -1).
  int64_t last = -1;
  const auto end = std::chrono::steady_clock::now() + kRunLimit;
  while (ScoreDialogCaption(op).empty()) {
    if (std::chrono::steady_clock::now() > end) op.Fail("the run does not end");
    const std::string pause = BreakDialogTitle(op);
    if (!pause.empty()) {
      ContinueBreak(op, pause);
      // A trial the break cut short is given again.
      last = -1;
      continue;
    }
    const ShownTrial trial = ReadTrial(op, kMemorySearch);
    if (!trial.signal || trial.trial == last) {
      std::this_thread::sleep_for(kPoll);
      continue;
    }
    const bool target = IsTarget(trial);
    // The testee answers after a human reaction time: a press before the
    // response window opens is not taken.
    std::this_thread::sleep_for(kReactionTime);
    const bool right = ++answered % kWrongEvery != 0;
    keys.Press(target == right ? yes : no);
    last = trial.trial;
    if (target) {
      ++(right ? answers.hits : answers.misses);
    } else {
      ++(right ? answers.correctRejections : answers.falseAlarms);
    }
  }
  const std::string caption = WaitRunEnd(op, home);
  const std::vector<std::string> cells = SaveScoreShown(op, caption, kMemorySearch, shown);
  // The score dialog counted the answers as the testee gave them: every
  // display answered, none left out.
  const std::pair<const char*, int> counts[] = {{"Ntot1_ms", answered},
                                                {"Nh1_ms", answers.hits},
                                                {"Nm1_ms", answers.misses},
                                                {"Nc01_ms", answers.correctRejections},
                                                {"Nf01_ms", answers.falseAlarms},
                                                {"No1_ms", 0}};
  for (const auto& [variable, count] : counts) {
    const std::optional<std::string> value = ShownValue(cells, variable);
    if (value != std::to_string(count)) {
      op.Fail("the score dialog showed " + std::string(variable) + " = \"" + value.value_or("<not listed>") +
              "\", the testee gave " + std::to_string(count) + ": " + Joined(cells));
    }
  }
  if (answers.misses == 0 || answers.falseAlarms == 0) op.Fail("the testee's wrong answers fell on one kind of display");
  ExpectPartsList(op, kFirstPart, "1", "1");
}

// Step 4: Tapping's part 1 scored again. Its assessment 1 is filed, so the
// page offers no second test run of it; the operator rebuilds the score
// from the stored taps ("Build score"), which gives the run's values again,
// and saves it: the score it replaces is kept in the history. The stored
// score is shown next, noted as recalculated.
void RebuildTappingScore(Operator& op, ShownScores& shown) {
  op.SetStep("4 Tapping part 1 scored again (Build score), saved");
  SelectTesteeModelTaskPart(op, kTestees[0], std::string(), kTapping, kFirstPart);
  SelectAssessment(op, 1);
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        wxWindow* test = OnPage(kPageAssessments, CDlgTabAssessment::kIdTest)(top);
        wxWindow* build = OnPage(kPageAssessments, CDlgTabAssessment::kIdBuildScore)(top);
        return test && !test->IsEnabled() && build && build->IsEnabled();
      },
      "\"Test\" to be off and \"Build score\" on for the filed assessment 1");
  const auto ran = shown.find(kTapping.name);
  if (ran == shown.end()) op.Fail("Tapping's run showed no score to compare");
  const std::vector<std::string> first = ran->second;

  op.Click(OnPage(kPageAssessments, CDlgTabAssessment::kIdBuildScore), "Build score");
  std::string caption;
  op.WaitUntil([&] { return (caption = ScoreDialogCaption(op)).find(kRecalculatedNote) != std::string::npos; },
               "the recalculated score");
  // The run's dialog showed part 1's variables; the rebuilt score shows
  // every part's, part 1's as the run had them.
  const std::vector<std::string> rebuilt = SaveScoreShown(op, caption, kTapping, shown);
  shown[kTapping.name] = first;
  const std::string missing = RowsMissing(first, rebuilt);
  if (!missing.empty()) op.Fail("the rebuilt score lacks the run's rows " + missing + ": " + Joined(rebuilt));

  // The score as stored now, noted as recalculated.
  op.WaitUntil([&] { return (caption = ScoreDialogCaption(op)).find(kStoredAfterNote) != std::string::npos; },
               "the stored score after the recalculation");
  const XTopWindow stored = op.WaitWindow(caption, true);
  const std::vector<std::string> cells = ScoreDialogCells(op, caption);
  const std::string unsaved = RowsMissing(first, cells);
  if (!unsaved.empty()) op.Fail("the stored score lacks the run's rows " + unsaved + ": " + Joined(cells));
  op.Click(Labelled("Close"), "Close");
  op.WaitGone(stored);
  op.WaitWindow(kFrameTitle);
  ExpectPartsList(op, kFirstPart, "1", "1");
}

std::optional<double> StoredVariable(const std::string& project, const std::string& password, const std::string& table,
                                     const std::string& testee, const std::string& task, int assessment,
                                     const std::string& variable) {
  // The names and the values are packed arrays: texts each ended by a
  // zero byte, and little-endian doubles; the sqlcipher program gives them in hex.
  const std::string rows = QueryProject(project, password,
                                        "SELECT hex(VarNames) || ' ' || hex(VarValues) FROM " + table +
                                            " WHERE Testee = '" + testee + "' AND Task = '" + task +
                                            "' AND AssNo = " + std::to_string(assessment) + ";");
  const size_t blank = rows.find(' ');
  if (rows.empty() || blank == std::string::npos || rows.find('\n') + 1 != rows.size()) return std::nullopt;
  auto bytes = [](const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
  };
  const std::string names = bytes(rows.substr(0, blank));
  const std::string values = bytes(rows.substr(blank + 1, rows.size() - blank - 2));
  size_t index = 0;
  for (size_t at = 0; at < names.size(); ++index) {
    const size_t stop = names.find('\0', at);
    if (stop == std::string::npos) break;
    if (names.compare(at, stop - at, variable) == 0 && stop - at == variable.size()) {
      double value = 0;
      if ((index + 1) * sizeof value > values.size()) return std::nullopt;
      std::memcpy(&value, values.data() + index * sizeof value, sizeof value);
      return value;
    }
    at = stop + 1;
  }
  return std::nullopt;
}

}  // namespace qel::road
