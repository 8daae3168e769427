// The steps of the road that run the model's first tasks for the first
// testee on the Assessments page: Tapping's part 1, Memory Search Letters'
// part 1 and Tapping's part 1 again, each score saved from the score
// dialog the run opens; and, until the model editor's step is in, the
// road's model seeded through the program's model file and project.
#include <cctype>
#include <cstring>

#include "app/model/ExpModel.h"
#include "app/modelfile/ModelFile.h"
#include "app/tests/road/RoadRuns.h"
#include "app/tests/road/RoadSteps.h"
#include "engine/library/TaskLibraries.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/ModelsPageServices.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

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
// Memory Search Letters: the yes-key and the no-key as the page's keys
// mapping gives them; every fifth display the testee answers wrongly.
constexpr char kInitialMapping[] = "Initial keys mapping";
constexpr char kLeftKey[] = "Shift_L";
constexpr char kRightKey[] = "Shift_R";
constexpr int kWrongEvery = 5;
constexpr int kDisplayLetters = 4;
// The run dialog's indicator of a shown signal.
constexpr char kSignalShown[] = "!";
constexpr int kSignalIndicator = CDlgRun::kIdIndicatorFirst + 1;

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

std::string Joined(const std::vector<std::string>& cells) {
  std::string text;
  for (const std::string& cell : cells) text += (text.empty() ? "" : "|") + cell;
  return text;
}

// One Tapping test run of part 1: the testee starts the part with Space,
// taps once to begin, waits out the lead-in and taps `taps` times well
// within the part's time. The score dialog shows the taps counted.
void RunTapping(Operator& op, ShownScores& shown, int taps, bool again) {
  TesteeKeys keys;
  if (!keys.Ready()) op.Fail("no keys for the testee");
  SelectTesteeModelTaskPart(op, kTestees[0], std::string(), kTapping, kFirstPart);
  // Again: the first run's assessment is run once more.
  if (again) SelectAssessment(op, 1);
  const uint32_t seconds = PartSeconds(op, kFirstPart);
  const auto tapping = std::chrono::milliseconds(seconds * 1000) - kLeadInMargin - kPartEndMargin;
  if (tapping < 2 * kKeyHold * taps) op.Fail("part 1 lasts " + std::to_string(seconds) + " s: too short for the taps");

  const wxPoint home = StartTestRun(op, again);
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
    CDlgRun* run = program ? program->GetRunDialog() : nullptr;
    wxWindow* indicator = run ? run->FindWindow(kSignalIndicator) : nullptr;
    if (!library || !indicator) return shown;
    ITaskHost& host = program->Host();
    shown.signal = indicator->GetLabel() == kSignalShown;
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

// Until the Models page's step adds it: the model file the model editor
// saved, added to the open project through the program's own project
// object, as the Models page's "Add to project" does; the pages are
// refreshed after.
void SeedRoadModel(Operator& op, const std::string& modelPath) {
  op.SetStep("3 the road's model added to the project (seeded)");
  op.WaitWindow(kFrameTitle);
  const std::string error = op.OnMain([modelPath]() -> std::string {
    std::string why;
    CExpModel saved;
    uint32_t format = 0;
    if (!ReadModelFile(modelPath, &saved, &format, &why)) return "the model file does not read back: " + why;
    saved.m_name = ModelTitleFromPath(modelPath);
    IModelsPageServices* services = GetModelsPageServices();
    bool usersAdded = false;
    if (!services || !services->WriteModel(saved, &usersAdded)) return "the project does not take the model";
    CMainFrame* frame = GetProgram() ? GetProgram()->GetMainFrame() : nullptr;
    CQelViewTab* view = frame ? frame->GetMainView() : nullptr;
    if (!view) return "no main view";
    // The pages and the tree hear of the new model as after the Models page's write.
    SendNotify(view, kNotifyRefreshViews, kRefreshModels | (usersAdded ? kRefreshUsers : 0));
    if (wxWindow* tree = view->GetTreeWindow()) {
      if (usersAdded) SendNotify(tree, kTreeRefreshUsers, 0);
      SendNotify(tree, kTreeRefreshModels, 0);
    }
    return std::string();
  });
  if (!error.empty()) op.Fail(error);
  const std::string model = ModelTitleFromPath(modelPath);
  op.WaitProgram(
      [model](wxTopLevelWindow* top) {
        CDlgTabAssessment* page = AssessmentsPage(top);
        return page && page->GetModelCombo()->FindKey(model.c_str()) >= 0;
      },
      "the Assessments page to list the model \"" + model + "\"");
}

// Step 4: Tapping's part 1 run as a test for the first testee; the score
// dialog shows the taps the testee made after the lead-in; saved.
void RunTappingTest(Operator& op, ShownScores& shown) {
  op.SetStep("4 Tapping test run (part 1), score saved");
  RunTapping(op, shown, kFirstTappingTaps, false);
  // The page's parts list shows part 1 with its assessment filed.
  const std::vector<std::string> parts = PartsList(op);
  if (parts.empty()) op.Fail("the parts list is empty");
  std::printf("road: parts list after Tapping: %s\n", Joined(parts).c_str());
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
  const char* yesKey = initial ? kRightKey : kLeftKey;
  const char* noKey = initial ? kLeftKey : kRightKey;

  const wxPoint home = StartTestRun(op);
  keys.Tap(kTapKey);
  Answers answers;
  int answered = 0;
  std::optional<uint32_t> last;
  const auto end = std::chrono::steady_clock::now() + kRunLimit;
  while (ScoreDialogCaption(op).empty()) {
    if (std::chrono::steady_clock::now() > end) op.Fail("the run does not end");
    const std::string pause = BreakDialogTitle(op);
    if (!pause.empty()) {
      ContinueBreak(op, pause);
      continue;
    }
    const ShownTrial trial = ReadTrial(op, kMemorySearch);
    if (!trial.signal || trial.trial == last) {
      std::this_thread::sleep_for(kPoll);
      continue;
    }
    const bool target = IsTarget(trial);
    const bool right = ++answered % kWrongEvery != 0;
    keys.Tap(target == right ? yesKey : noKey);
    last = trial.trial;
    if (target) {
      ++(right ? answers.hits : answers.misses);
    } else {
      ++(right ? answers.correctRejections : answers.falseAlarms);
    }
  }
  std::printf("road: memory search answers: %d hits, %d misses, %d correct rejections, %d false alarms\n",
              answers.hits, answers.misses, answers.correctRejections, answers.falseAlarms);
  const std::string caption = WaitRunEnd(op, home);
  const std::vector<std::string> cells = SaveScoreShown(op, caption, kMemorySearch, shown);
  std::printf("road: memory search score: %s\n", Joined(cells).c_str());
}

// Step 4: Tapping's part 1 of the same assessment run again: the operator
// goes back to assessment 1, confirms that the part is run once more, and
// saves; the new score replaces the first one.
void RunTappingAgain(Operator& op, ShownScores& shown) {
  op.SetStep("4 Tapping test run again (part 1), replacing the score");
  RunTapping(op, shown, kAgainTappingTaps, true);
}

std::optional<double> StoredVariable(const std::string& project, const std::string& password, const std::string& table,
                                     const std::string& testee, const std::string& task, const std::string& variable) {
  // The names and the values are packed arrays: texts each ended by a
  // zero byte, and little-endian doubles; the sqlcipher program gives them in hex.
  const std::string rows = QueryProject(project, password,
                                        "SELECT hex(VarNames) || ' ' || hex(VarValues) FROM " + table +
                                            " WHERE Testee = '" + testee + "' AND Task = '" + task + "';");
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
