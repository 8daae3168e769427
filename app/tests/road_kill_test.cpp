// The road cut short: the program is killed with SIGKILL while the
// operator saves, and started again on the same workstation. Whatever was
// saved before the kill is there after the restart, complete, and the
// project file passes the engine's integrity check.
//
// The road's program runs in the test program itself, so the walk that is
// killed runs in a process of its own: this test program started again on
// this test, told by its environment that it is the walker and which
// workstation to walk on (the home with the settings file, the users
// folder, the project file of this process). This process watches the X
// server for the moment of the kill (a window of the walk shown or closed
// for the n-th time), kills the walker, then walks the restart itself and
// reads the project file back with the sqlcipher program.
#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "app/tests/road/RoadProcess.h"
#include "app/tests/road/RoadSteps.h"

namespace qel::road {
namespace {

// The walker's environment: its role, its workstation.
constexpr char kRoleVariable[] = "QEL_ROAD_KILL_ROLE";
constexpr char kWalkerRole[] = "walker";
constexpr char kHomeVariable[] = "QEL_ROAD_KILL_HOME";
constexpr char kUsersVariable[] = "QEL_ROAD_KILL_USERS";
constexpr char kProjectVariable[] = "QEL_ROAD_KILL_PROJECT";
constexpr char kWalkerLog[] = "walker.log";

// How long the walk may take to come to the moment of the kill, how often
// the screen is looked at meanwhile, and how long the dead program's
// windows may take to go.
constexpr auto kKillPointWait = 10min;
constexpr auto kWatchPoll = 5ms;
constexpr auto kWindowsGoneWait = 30s;

// The moment the walker is killed: a window whose title holds `title` has
// shown for the `showing`-th time and, with `closed`, has closed again.
struct KillPoint {
  const char* title;
  int showing;
  bool closed;
  const char* what;
};

// The second testee's dialog closed with Save: the program writes the
// testee right after it closes, so the kill falls around that write. The
// first testee was saved (and listed) before the second dialog opened.
constexpr KillPoint kKillPoint{kNewTesteeTitle, 2, true, "the second testee's Save"};
constexpr const char* kSavedBeforeTheKill = kTestees[0];
constexpr const char* kSavedAtTheKill = kTestees[1];

// A testee row as the operator typed it, with its audit columns: the
// testee, the code, the names, the birth date, the user who wrote it and
// its attributes; its date, handedness and sex are given.
constexpr char kTesteeRowQuery[] =
    "SELECT Testee, TesteeCode, FirstName, Surname, DateBirth, User, Attributes, "
    "Date IS NOT NULL AND Preference IS NOT NULL AND Sex IS NOT NULL FROM Testees WHERE Testee = ";

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

std::string CompleteTesteeRow(const std::string& testee) {
  return testee + "|" + kCode + "|" + kTesteeFirstName + "|" + kTesteeSurname + "|1980.05.17 00:00:00|" + kUserId +
         "|0|1\n";
}

class RoadKillTest : public RoadTest {
 protected:
  void SetUp() override {
    RoadTest::SetUp();
    const char* role = std::getenv(kRoleVariable);
    m_walker = role && std::string(role) == kWalkerRole;
    if (!m_walker) {
      m_project = ProjectPath();
      return;
    }
    // The walker works on the workstation of the process that started it.
    const char* home = std::getenv(kHomeVariable);
    const char* users = std::getenv(kUsersVariable);
    const char* project = std::getenv(kProjectVariable);
    ASSERT_TRUE(home && users && project) << "the walker is not told its workstation";
    m_walkHome = home;
    m_project = project;
    ::setenv("HOME", home, 1);
    ::setenv("XDG_CONFIG_HOME", (m_walkHome / ".config").c_str(), 1);
    ::setenv(kUsersFolderVariable, users, 1);
    // What the walker writes reaches its log before any kill.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }

  std::string SettingsPath() const override {
    return m_walker ? (m_walkHome / "Qel.conf").string() : RoadTest::SettingsPath();
  }

  // The walker: steps 1 to 3, then it waits (a while) for its kill.
  void WalkUntilKilled() {
    const std::string failure = Walk([&](Operator& op) {
      RegisterAndLogIn(op);
      CreateCfrProject(op, m_project);
      OpenWorkingProject(op, m_project, "2 open the project as the working project");
      AddTesteeCodeAndTestees(op);
      op.SetStep("wait for the kill");
      op.WaitUntil([] { return false; }, "the kill");
    });
    ADD_FAILURE() << "walk: " << (failure.empty() ? "the walk ended without its kill" : failure);
  }

  // Starts the walker on this workstation; its own temporary folders and
  // its log go into a folder of this test.
  std::unique_ptr<RoadProcess> StartWalker() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const RoadProcess::Variables variables{{kRoleVariable, kWalkerRole},
                                           {kHomeVariable, m_home.Path().string()},
                                           {kUsersVariable, m_users.Path().string()},
                                           {kProjectVariable, m_project},
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
    for (;;) {
      if (!walker.Running()) {
        return std::string("the walk ended (") + walker.Ending() + ") before " + point.what + ":\n" + walker.Told();
      }
      if (std::chrono::steady_clock::now() > end) {
        return std::string("the walk did not come to ") + point.what + " in time:\n" + walker.Told();
      }
      const std::vector<XTopWindow> windows = screen.Viewable();
      const bool now = std::any_of(windows.begin(), windows.end(), [&](const XTopWindow& window) {
        return window.title.find(point.title) != std::string::npos;
      });
      if (now && !showing) ++shown;
      showing = now;
      if (shown == point.showing && (!point.closed || !showing)) return std::string();
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

  bool m_walker = false;
  fs::path m_walkHome;
  std::string m_project;
  TempFolder m_walkerFiles;
};

TEST_F(RoadKillTest, WhatWasSavedBeforeTheProgramWasKilledIsThereCompleteAfterARestart) {
  if (m_walker) {
    WalkUntilKilled();
    return;
  }
  const std::unique_ptr<RoadProcess> walker = StartWalker();
  ASSERT_EQ(walker->StartError(), "");
  const auto started = std::chrono::steady_clock::now();
  const std::string reached = WaitForKillPoint(*walker, kKillPoint);
  ASSERT_TRUE(reached.empty()) << "the walk before the kill: " << reached;
  ASSERT_TRUE(walker->Kill()) << "the walk ended by itself (" << walker->Ending() << ") at " << kKillPoint.what
                              << ":\n"
                              << walker->Told();
  std::printf("road kill: the program killed at %s after %.2f s; %s\n", kKillPoint.what,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
              fs::exists(m_project + "-journal") ? "a write cut short left its journal" : "no write was cut short");
  ASSERT_TRUE(ProgramWindowsGone()) << "the killed program's windows stay on the screen";

  // The program started again on the same workstation: the user logs in,
  // opens the project with its password and finds the testees.
  std::vector<std::string> listed;
  const std::string failure = Walk([&](Operator& op) {
    LogInAgain(op);
    OpenWorkingProject(op, m_project, "after the kill: open the project with its password");
    op.SetStep("after the kill: the testees saved before it are listed");
    op.Click(ById(kIdTabs), "Testees tab", TabOf(kTesteesPage));
    op.WaitProgram(
        [](wxTopLevelWindow* top) {
          return Holds(ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdCodes)(top)), kCode) &&
                 Holds(ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdTestees)(top)), kSavedBeforeTheKill);
        },
        "the Testees page to list the code and the testee saved before the kill");
    listed = op.OnMain([] {
      std::vector<std::string> rows;
      if (wxTopLevelWindow* top = Operator::ShownTopLevel(kFrameTitle)) {
        rows = ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdTestees)(top));
      }
      return rows;
    });
    ExitProgram(op);
  });
  ASSERT_EQ(failure, "");
  EXPECT_FALSE(fs::exists(m_project + "-journal")) << "the write the kill cut short is not rolled back";

  // The file is sound, its relations hold.
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "PRAGMA foreign_key_check;"), "");

  // The code and the testee saved before the kill, each complete, written
  // by the user who is the project's user; nothing was replaced.
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "SELECT TesteeCode FROM TesteeCodes ORDER BY TesteeCode;"),
            std::string(kCode) + "\nDefault\n");
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, kTesteeRowQuery + Quoted(kSavedBeforeTheKill) + ";"),
            CompleteTesteeRow(kSavedBeforeTheKill));
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "SELECT Id, Fname, Sname FROM Users;"),
            std::string(kUserId) + "|" + kFirstName + "|" + kSurname + "\n");
  EXPECT_EQ(QueryProject(m_project, kProjectPassword, "SELECT count(*) FROM TesteesHistory;"), "0\n");

  // The testee being saved at the kill is there whole or not at all, and
  // the Testees page listed what the file holds.
  const std::string atTheKill = QueryProject(m_project, kProjectPassword, kTesteeRowQuery + Quoted(kSavedAtTheKill) + ";");
  if (!atTheKill.empty()) {
    EXPECT_EQ(atTheKill, CompleteTesteeRow(kSavedAtTheKill));
  }
  std::printf("road kill: the testee saved at the kill is %s\n", atTheKill.empty() ? "not there" : "there");
  EXPECT_TRUE(Holds(listed, kSavedBeforeTheKill));
  EXPECT_EQ(Holds(listed, kSavedAtTheKill), !atTheKill.empty()) << "the Testees page and the file disagree";
}

}  // namespace
}  // namespace qel::road
