// The road cut short: the program is killed with SIGKILL while the
// operator runs the tasks and saves their scores, and started again on the
// same workstation. Every score saved before the kill is there after the
// restart, complete (its responses, its scores, their audit columns), the
// Data page lists what the file holds, and the project file passes the
// engine's integrity check.
//
// The road's program runs in the test program itself, so the walk that is
// killed runs in a process of its own: this test program started again on
// this test, told by its environment that it is the walker and which
// workstation to walk on (the home with the settings file, the users
// folder, the project file of this process). The walker writes down what
// each score dialog showed once its score is saved. This process watches
// the X server for the moment of the kill (a window of the walk shown or
// closed for the n-th time, and a while after), kills the walker, then
// walks the restart itself and reads the project file back with the
// sqlcipher program.
#include <wx/checkbox.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "app/tests/road/RoadProcess.h"
#include "app/tests/road/RoadSteps.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/DlgTabData.h"

namespace qel::road {
namespace {

// The walker's environment: its role, its workstation, the folder it
// writes down the saved scores in.
constexpr char kRoleVariable[] = "QEL_ROAD_KILL_ROLE";
constexpr char kWalkerRole[] = "walker";
constexpr char kHomeVariable[] = "QEL_ROAD_KILL_HOME";
constexpr char kUsersVariable[] = "QEL_ROAD_KILL_USERS";
constexpr char kProjectVariable[] = "QEL_ROAD_KILL_PROJECT";
constexpr char kSavedVariable[] = "QEL_ROAD_KILL_SAVED";
constexpr char kWalkerLog[] = "walker.log";
constexpr char kSavedExtension[] = ".shown";

// How long the walk may take to come to the moment of the kill (it takes
// under three minutes; every kill point's walk fits in the test's time),
// how often the screen is looked at meanwhile, and how long the dead
// program's windows may take to go.
constexpr auto kKillPointWait = 6min;
constexpr auto kWatchPoll = 5ms;
constexpr auto kWindowsGoneWait = 30s;

// The tasks the walker runs, in order, each by its code in the project.
const RoadTask& kTapping = kRoadTasks[0];
const RoadTask& kMemorySearch = kRoadTasks[1];
const RoadTask& kPursuit = kRoadTasks[2];
struct WalkedTask {
  const RoadTask* task;
  const char* code;
};
const WalkedTask kWalkedTasks[] = {{&kTapping, "TP"}, {&kMemorySearch, "MSL"}, {&kPursuit, "PU"}};
constexpr char kTappingCode[] = "TP";
constexpr char kTapsVariable[] = "Nlu_tp";

// The moment the walker is killed: a window whose title holds `title` has
// shown for the `showing`-th time and, with `closed`, has closed again;
// the kill comes `later` after that.
struct KillPoint {
  const char* name;
  const char* title;
  int showing;
  bool closed;
  std::chrono::milliseconds later;
  // What the kill cuts short.
  enum Cut { kPursuitRun, kPursuitSave } cut;
};

// Tapping's and Memory Search Letters' scores are saved before Pursuit's
// run begins. The testee's screen (the display's window) shows for each
// run, the third time for the minute of Pursuit's part; each score dialog
// ("Test Scores") closes with Save, and the program writes the score right
// after: Pursuit's the third time.
constexpr char kTesteeScreenTitle[] = "DDDisplay";
constexpr char kScoreDialogTitle[] = "Test Scores";
const KillPoint kKillPoints[] = {
    {"InThePursuitRun", kTesteeScreenTitle, 3, false, 5s, KillPoint::kPursuitRun},
    {"AtThePursuitSave", kScoreDialogTitle, 3, true, 0ms, KillPoint::kPursuitSave},
};

// The assessments of the project whose rows are not all there or lack
// what every saved score has: its scores row with its variables, a
// responses row for each part run, each written by the user on a date with
// no attributes. Empty when every assessment is whole.
std::string BrokenAssessments() {
  const std::string user = std::string("'") + kUserId + "'";
  return "SELECT 'scores without responses: ' || v.Task || ' ' || v.AssNo FROM Variables v WHERE NOT EXISTS "
         "(SELECT 1 FROM Responses r WHERE r.Testee = v.Testee AND r.Model = v.Model AND r.Task = v.Task AND "
         "r.AssNo = v.AssNo) "
         "UNION ALL SELECT 'responses without scores: ' || r.Task || ' ' || r.AssNo FROM Responses r WHERE NOT EXISTS "
         "(SELECT 1 FROM Variables v WHERE r.Testee = v.Testee AND r.Model = v.Model AND r.Task = v.Task AND "
         "r.AssNo = v.AssNo) "
         "UNION ALL SELECT 'scores incomplete: ' || Task || ' ' || AssNo FROM Variables WHERE NOT (VarNum > 0 AND "
         "length(VarNames) > 0 AND length(VarValues) = 8 * VarNum AND DateAss IS NOT NULL AND Date IS NOT NULL AND "
         "User = " +
         user +
         " AND Attributes = 0) "
         "UNION ALL SELECT 'responses incomplete: ' || Task || ' ' || AssNo || ' part ' || PartNo FROM Responses WHERE "
         "NOT (RespNum > 0 AND length(RespTime) > 0 AND DatePart IS NOT NULL AND Date IS NOT NULL AND User = " +
         user + " AND Attributes = 0);";
}

class RoadKillTest : public RoadTest, public ::testing::WithParamInterface<KillPoint> {
 protected:
  void SetUp() override {
    RoadTest::SetUp();
    const char* role = std::getenv(kRoleVariable);
    m_walker = role && std::string(role) == kWalkerRole;
    if (!m_walker) {
      m_project = ProjectPath();
      m_saved = m_walkerFiles.Path();
      return;
    }
    // The walker works on the workstation of the process that started it.
    const char* home = std::getenv(kHomeVariable);
    const char* users = std::getenv(kUsersVariable);
    const char* project = std::getenv(kProjectVariable);
    const char* saved = std::getenv(kSavedVariable);
    ASSERT_TRUE(home && users && project && saved) << "the walker is not told its workstation";
    m_walkHome = home;
    m_project = project;
    m_saved = saved;
    ::setenv("HOME", home, 1);
    ::setenv("XDG_CONFIG_HOME", (m_walkHome / ".config").c_str(), 1);
    ::setenv(kUsersFolderVariable, users, 1);
    // What the walker writes reaches its log before any kill.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }

  std::string SettingsPath() const override {
    return m_walker ? (m_walkHome / "Qel.conf").string() : RoadTest::SettingsPath();
  }

  // The walker: steps 1 to 3, then the road's first test runs (Tapping,
  // Memory Search Letters, Pursuit), each score saved and written down;
  // then it waits (a while) for its kill.
  void WalkUntilKilled() {
    const std::string modelPath = (fs::path(m_project).parent_path() / kRoadModelFile).string();
    const std::string failure = Walk([&](Operator& op) {
      RegisterAndLogIn(op);
      CreateCfrProject(op, m_project);
      OpenWorkingProject(op, m_project, "2 open the project as the working project");
      AddTesteeCodeAndTestees(op);
      ComposeRoadModel(op, modelPath);
      ShownScores shown;
      RunTappingTest(op, shown);
      WriteDownSaved(op, kTapping, shown);
      RunMemorySearchTest(op, shown);
      WriteDownSaved(op, kMemorySearch, shown);
      RunPursuitTest(op, shown);
      WriteDownSaved(op, kPursuit, shown);
      op.SetStep("wait for the kill");
      op.WaitUntil([] { return false; }, "the kill");
    });
    ADD_FAILURE() << "walk: " << (failure.empty() ? "the walk ended without its kill" : failure);
  }

  // What the score dialog of the task showed, written down once its score
  // is saved: a file of its cells, a line each, that takes its name whole.
  void WriteDownSaved(Operator& op, const RoadTask& task, const ShownScores& shown) {
    const auto cells = shown.find(task.name);
    if (cells == shown.end()) op.Fail(std::string("no score dialog of ") + task.name + " was kept");
    const fs::path file = m_saved / (std::string(task.name) + kSavedExtension);
    const fs::path part = file.string() + ".part";
    {
      std::ofstream out(part);
      for (const std::string& cell : cells->second) out << cell << '\n';
      if (!out.flush()) op.Fail("the score shown is not written down");
    }
    fs::rename(part, file);
  }

  // The scores the walker wrote down as saved before it was killed.
  ShownScores SavedBeforeTheKill() const {
    ShownScores saved;
    for (const auto& entry : fs::directory_iterator(m_saved)) {
      if (entry.path().extension() != kSavedExtension) continue;
      std::ifstream in(entry.path());
      std::vector<std::string>& cells = saved[entry.path().stem().string()];
      for (std::string line; std::getline(in, line);) cells.push_back(line);
    }
    return saved;
  }

  // Starts the walker on this workstation; its own temporary folders, its
  // log and what it writes down go into a folder of this test.
  std::unique_ptr<RoadProcess> StartWalker() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const RoadProcess::Variables variables{{kRoleVariable, kWalkerRole},
                                           {kHomeVariable, m_home.Path().string()},
                                           {kUsersVariable, m_users.Path().string()},
                                           {kProjectVariable, m_project},
                                           {kSavedVariable, m_saved.string()},
                                           {"TMPDIR", m_walkerFiles.Path().string()}};
    return std::make_unique<RoadProcess>(std::string(test->test_suite_name()) + "." + test->name(), variables,
                                         m_walkerFiles.File(kWalkerLog));
  }

  // Watches the screen until the walk comes to the moment of the kill;
  // empty then, else what went wrong, with what the walker told.
  static std::string WaitForKillPoint(RoadProcess& walker, const KillPoint& point) {
    XWindows screen;
    if (!screen.Ok()) return "no X server to watch the walk on";
    const auto end = std::chrono::steady_clock::now() + kKillPointWait;
    int shown = 0;
    bool showing = false;
    std::optional<std::chrono::steady_clock::time_point> killAt;
    // The windows of the walk, for a walk that misses the moment.
    std::set<std::string> titles;
    auto missed = [&](const std::string& what) {
      std::string seen;
      for (const std::string& title : titles) seen += " \"" + title + "\"";
      return what + " (the windows of the walk:" + seen + "):\n" + walker.Told();
    };
    for (;;) {
      if (!walker.Running()) return missed(std::string("the walk ended (") + walker.Ending() + ") before the kill");
      const auto now = std::chrono::steady_clock::now();
      if (killAt) {
        if (now >= *killAt) return std::string();
      } else {
        if (now > end) return missed("the walk did not come to the moment of the kill in time");
        const std::vector<XTopWindow> windows = screen.Viewable();
        for (const XTopWindow& window : windows) titles.insert(window.title);
        const bool seen = std::any_of(windows.begin(), windows.end(), [&](const XTopWindow& window) {
          return window.title.find(point.title) != std::string::npos;
        });
        if (seen && !showing) ++shown;
        showing = seen;
        if (shown == point.showing && (!point.closed || !showing)) killAt = now + point.later;
      }
      std::this_thread::sleep_for(kWatchPoll);
    }
  }

  // Waits until the X server has closed the killed program's windows.
  static bool ProgramWindowsGone() {
    XWindows screen;
    const auto end = std::chrono::steady_clock::now() + kWindowsGoneWait;
    while (std::chrono::steady_clock::now() < end) {
      const std::vector<XTopWindow> windows = screen.Viewable();
      if (std::none_of(windows.begin(), windows.end(),
                       [](const XTopWindow& window) { return window.title.find(kFrameTitle) != std::string::npos; })) {
        return true;
      }
      std::this_thread::sleep_for(kPoll);
    }
    return false;
  }

  // After the restart, on the Data page: the operator has it list the
  // scores of all testees and all models; its rows, cell by cell, once it
  // lists `count` of them.
  static std::vector<std::string> ListScoresOnTheDataPage(Operator& op, int count) {
    op.SetStep("after the kill: the Data page lists the scores");
    op.WaitWindow(kFrameTitle);
    op.Click(ById(kIdTabs), "Data tab", TabOf(kPageData));
    op.WaitProgram(
        [](wxTopLevelWindow* top) {
          auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
          return tabs && tabs->GetSelection() == kPageData;
        },
        "the Data page to show");
    for (const auto& [id, name] : {std::pair<int, const char*>{CDlgTabData::kIdAllTestees, "All (testees)"},
                                   std::pair<int, const char*>{CDlgTabData::kIdAllModels, "All (models)"}}) {
      op.Click(OnPage(kPageData, id), name);
      op.WaitProgram(
          [id](wxTopLevelWindow* top) {
            auto* box = wxDynamicCast(OnPage(kPageData, id)(top), wxCheckBox);
            return box && box->GetValue();
          },
          std::string("\"") + name + "\" to be ticked");
    }
    op.WaitProgram(
        [count](wxTopLevelWindow* top) {
          auto* list = wxDynamicCast(OnPage(kPageData, CDlgTabData::kIdScores)(top), wxListCtrl);
          return list && list->GetItemCount() == count;
        },
        "the scores list to list " + std::to_string(count) + " scores");
    return op.OnMain([] {
      wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle);
      return top ? ListRows(OnPage(kPageData, CDlgTabData::kIdScores)(top)) : std::vector<std::string>();
    });
  }

  bool m_walker = false;
  fs::path m_walkHome;
  std::string m_project;
  fs::path m_saved;
  TempFolder m_walkerFiles;
};

// The scores list's columns: number, testee, model, task, assessment,
// test date, variables, user, date, comment.
constexpr size_t kScoreListColumns = 10;
constexpr size_t kTesteeColumn = 1;
constexpr size_t kAssessmentColumn = 4;
constexpr size_t kVariablesColumn = 6;
constexpr size_t kUserColumn = 7;

TEST_P(RoadKillTest, EveryScoreSavedBeforeTheKillIsThereCompleteAfterARestart) {
  if (m_walker) {
    WalkUntilKilled();
    return;
  }
  const KillPoint& point = GetParam();
  const std::unique_ptr<RoadProcess> walker = StartWalker();
  ASSERT_EQ(walker->StartError(), "");
  const auto started = std::chrono::steady_clock::now();
  const std::string reached = WaitForKillPoint(*walker, point);
  ASSERT_TRUE(reached.empty()) << "the walk before the kill: " << reached;
  ASSERT_TRUE(walker->Kill()) << "the walk ended by itself (" << walker->Ending() << ") at the kill:\n"
                              << walker->Told();
  const bool cutWrite = fs::exists(m_project + "-journal");
  std::printf("road kill %s: the program killed after %.2f s; %s\n", point.name,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
              cutWrite ? "a write cut short left its journal" : "no write was cut short");
  ASSERT_TRUE(ProgramWindowsGone()) << "the killed program's windows stay on the screen";
  const ShownScores saved = SavedBeforeTheKill();
  ASSERT_EQ(saved.count(kTapping.name), 1u) << "Tapping's score was saved before the kill";
  ASSERT_EQ(saved.count(kMemorySearch.name), 1u) << "Memory Search Letters' score was saved before the kill";

  // How many scores the file holds, read from a copy of it as the kill
  // left it (with the journal of a write cut short), so that the program
  // is the first to meet the file itself.
  const fs::path copy = m_walkerFiles.Path() / "as-left";
  fs::create_directory(copy);
  for (const std::string& file : {m_project, m_project + "-journal"}) {
    if (fs::exists(file)) fs::copy_file(file, copy / fs::path(file).filename());
  }
  const std::string stored = QueryProject((copy / fs::path(m_project).filename()).string(), kProjectPassword,
                                          "SELECT count(*) FROM Variables;");

  // The program started again on the same workstation: the user logs in,
  // opens the project with its password and lists the scores on the Data
  // page.
  std::vector<std::string> listed;
  const std::string failure = Walk([&](Operator& op) {
    LogInAgain(op);
    OpenWorkingProject(op, m_project, "after the kill: open the project with its password");
    listed = ListScoresOnTheDataPage(op, std::atoi(stored.c_str()));
    ExitProgram(op);
  });
  ASSERT_EQ(failure, "");
  EXPECT_FALSE(fs::exists(m_project + "-journal")) << "the write the kill cut short is not rolled back";

  // The file is sound, its relations hold, and every assessment in it is
  // whole, written by the one user of the project.
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "PRAGMA foreign_key_check;"), "");
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, BrokenAssessments()), "");
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "SELECT Id FROM Users;"), std::string(kUserId) + "\n");

  // Nothing was replaced: no kept versions of scores or responses.
  EXPECT_EQ(QueryProject(m_project, kProjectPassword,
                         "SELECT (SELECT count(*) FROM VariablesHistory) || ' ' || (SELECT count(*) FROM "
                         "ResponsesHistory);"),
            "0 0\n");

  // Every score saved before the kill is there as its score dialog showed
  // it; Tapping's part 1 with the testee's taps.
  const std::string testee = kTestees[0];
  EXPECT_EQ(
      QueryProject(m_project, kProjectPassword, "SELECT Testee, Task, AssNo, PartNo FROM Responses WHERE Task = 'TP';"),
      testee + "|TP|1|1\n");
  EXPECT_EQ(StoredVariable(m_project, kProjectPassword, "Variables", testee, kTappingCode, 1, kTapsVariable),
            kFirstTappingTaps);
  for (const WalkedTask& walked : kWalkedTasks) {
    const auto cells = saved.find(walked.task->name);
    if (cells == saved.end()) continue;
    EXPECT_EQ(CompareStoredScore(m_project, kProjectPassword, walked.code, cells->second), "") << walked.task->name;
  }
  EXPECT_EQ(saved.size(), std::count_if(std::begin(kWalkedTasks), std::end(kWalkedTasks),
                                        [&](const WalkedTask& w) { return saved.count(w.task->name) == 1; }))
      << "the walker wrote down a task it does not walk";

  // Pursuit: a run the kill cut short left nothing; a score whose save the
  // kill met is there whole (above) or not at all.
  const std::string pursuit =
      QueryProject(m_project, kProjectPassword,
                   "SELECT (SELECT count(*) FROM Variables WHERE Task = 'PU') || ' ' || (SELECT count(*) FROM "
                   "Responses WHERE Task = 'PU');");
  std::printf("road kill %s: Pursuit's score and responses: %s", point.name, pursuit.c_str());
  if (point.cut == KillPoint::kPursuitRun) {
    EXPECT_EQ(pursuit, "0 0\n") << "the run the kill cut short left rows";
  }

  // The Data page listed each score the file holds, of the first testee,
  // with its number of variables and its user.
  const std::string rows = QueryProject(m_project, kProjectPassword,
                                        "SELECT Testee || ' ' || AssNo || ' ' || VarNum || ' ' || User FROM Variables "
                                        "ORDER BY Task;");
  std::multiset<std::string> fromFile;
  std::istringstream lines(rows);
  for (std::string line; std::getline(lines, line);) fromFile.insert(line);
  std::multiset<std::string> fromPage;
  for (size_t row = 0; row + kScoreListColumns <= listed.size(); row += kScoreListColumns) {
    fromPage.insert(listed[row + kTesteeColumn] + " " + listed[row + kAssessmentColumn] + " " +
                    listed[row + kVariablesColumn] + " " + listed[row + kUserColumn]);
  }
  EXPECT_EQ(fromPage, fromFile) << "the Data page and the file";
}

void PrintTo(const KillPoint& point, std::ostream* out) { *out << point.name; }

INSTANTIATE_TEST_SUITE_P(Kills, RoadKillTest, ::testing::ValuesIn(kKillPoints),
                         [](const ::testing::TestParamInfo<KillPoint>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qel::road
