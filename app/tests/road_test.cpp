// The whole road, as a clinician walks it: the program's own start-up runs
// in this test program (the application object's steps, on a program
// folder of links to the built program files, a settings file, a home and
// a workstation users folder of the test's own), and a driver thread works
// it only as an operator can: it finds windows by their titles on the X
// server, gives them the focus as a window manager would, and moves the
// pointer, clicks and types through the X test extension. What the
// operator sees is read from the windows, what was stored from the files
// (the project through the sqlcipher program).
//
// The driver waits on conditions only: a window is there, a field holds
// the text typed, a dialog is gone. A step that fails names the step and
// the window it was working on.
#include "app/model/ExpModel.h"
#include "app/modelfile/ModelFile.h"
#include "app/tests/road/RoadRuns.h"
#include "app/tests/road/RoadSteps.h"

namespace qel::road {
namespace {

TEST_F(RoadTest, AClinicianWalksTheRoadOnAFreshWorkstation) {
  const std::string project = ProjectPath();
  const std::string modelPath = (m_data.Path() / kRoadModelFile).string();
  const std::string files = m_data.Path().string();
  ShownScores shown;
  const std::string failure = Walk([&](Operator& op) {
    RegisterAndLogIn(op);
    CreateCfrProject(op, project);
    OpenWorkingProject(op, project, "2 open the project as the working project");
    AddTesteeCodeAndTestees(op);
    ComposeRoadModel(op, modelPath);
    RunTappingTest(op, shown);
    RunMemorySearchTest(op, shown);
    RunPursuitTest(op, shown);
    RunAuditoryTest(op, shown);
    RunProsodyTest(op, shown, files);
    RebuildTappingScore(op, shown);
    const ScoreValues values = CheckSavedScores(op, shown);
    PrintScoreSheet(op, files + "/Tapping.pdf", values);
    ExportScores(op, files, values);
    ExitProgram(op);
  });
  ASSERT_EQ(failure, "");
  EXPECT_TRUE(fs::exists(fs::path(m_users.Path()) / "Qel.qeu")) << "the workstation users file";

  // The project file opens with its password only; it is an audited
  // project whose users are the one who made it.
  ASSERT_TRUE(fs::exists(project));
  EXPECT_NE(test::RunSqlShell("sqlcipher", project, "SELECT count(*) FROM sqlite_master;", "wrong").exitCode, 0);
  EXPECT_EQ(QueryProject(project, kProjectPassword, "SELECT Id FROM Users;"), std::string(kUserId) + "\n");

  // The testee code and the testees the operator typed, of that code.
  EXPECT_EQ(QueryProject(project, kProjectPassword, "SELECT TesteeCode FROM TesteeCodes ORDER BY TesteeCode;"),
            std::string(kCode) + "\nDefault\n");
  EXPECT_EQ(QueryProject(project, kProjectPassword,
                         "SELECT Testee, TesteeCode, FirstName, Surname, DateBirth FROM Testees ORDER BY Testee;"),
            "O'Brien-02|CTRL|Pat|Road|1980.05.17 00:00:00\n"
            "P01|CTRL|Pat|Road|1980.05.17 00:00:00\n");

  // The scores saved for the first testee: one assessment of each task run,
  // each with what its run counted; Tapping's first score kept in the
  // history when its rebuilt score was saved, of the same test and saved
  // before it.
  const std::string testee = kTestees[0];
  EXPECT_EQ(QueryProject(project, kProjectPassword, "SELECT Testee, Task, AssNo FROM Variables ORDER BY Task, AssNo;"),
            testee + "|MSL|1\n" + testee + "|PR|1\n" + testee + "|PU|1\n" + testee + "|SAA|1\n" + testee + "|TP|1\n");
  EXPECT_EQ(StoredVariable(project, kProjectPassword, "VariablesHistory", testee, "TP", 1, "Nlu_tp"), kFirstTappingTaps)
      << "the replaced Tapping score is kept";
  EXPECT_EQ(StoredVariable(project, kProjectPassword, "Variables", testee, "TP", 1, "Nlu_tp"), kFirstTappingTaps)
      << "the rebuilt Tapping score";
  EXPECT_EQ(QueryProject(project, kProjectPassword,
                         "SELECT h.DateAss = v.DateAss, h.Date < v.Date FROM VariablesHistory h JOIN Variables v "
                         "USING (Testee, Model, Task, AssNo);"),
            "1|1\n");
  // Memory Search Letters' stored counts are those its score dialog showed.
  for (const char* variable : {"Ntot1_ms", "Nh1_ms", "Nm1_ms", "Nc01_ms", "Nf01_ms", "No1_ms"}) {
    const std::optional<std::string> seen = ShownValue(shown[kRoadTasks[1].name], variable);
    ASSERT_TRUE(seen.has_value()) << variable;
    EXPECT_EQ(StoredVariable(project, kProjectPassword, "Variables", testee, "MSL", 1, variable), std::stod(*seen))
        << variable;
  }
  EXPECT_EQ(shown.count("Tapping"), 1u) << "the score dialog of Tapping";
  // Each run's part is stored for the first testee with its responses, and
  // its score holds the values the score dialog showed.
  // (The stopped auditory run keeps its series and the trial the break took.)
  EXPECT_EQ(QueryProject(project, kProjectPassword,
                         "SELECT Task, AssNo, PartNo, RespNum FROM Responses WHERE Testee = 'P01' AND Task = 'PU';"),
            "PU|1|1|600\n");
  EXPECT_EQ(
      QueryProject(project, kProjectPassword,
                   "SELECT Task, AssNo, PartNo, RespNum > 36 FROM Responses WHERE Testee = 'P01' AND Task = 'SAA';"),
      "SAA|1|1|1\n");
  EXPECT_EQ(QueryProject(project, kProjectPassword,
                         "SELECT Task, AssNo, PartNo, RespNum FROM Responses WHERE Testee = 'P01' AND Task = 'PR';"),
            "PR|1|1|48\n");
  for (const auto& [task, code] : {std::pair<std::string, std::string>{"Pursuit", "PU"},
                                   std::pair<std::string, std::string>{"Sustained Attention Auditory", "SAA"},
                                   std::pair<std::string, std::string>{"Prosody", "PR"}}) {
    ASSERT_EQ(shown.count(task), 1u) << task;
    EXPECT_EQ(CompareStoredScore(project, kProjectPassword, code, shown.at(task)), "") << task;
  }
  // The model file holds the road's tasks in their order, with the faster
  // timings the operator gave them; the project holds the model under the
  // file's title, with the same tasks and timings.
  CExpModel saved;
  uint32_t format = 0;
  std::string error;
  ASSERT_TRUE(ReadModelFile(modelPath, &saved, &format, &error)) << error;
  ASSERT_EQ(saved.GetTaskCount(), static_cast<int>(std::size(kRoadTasks)));
  for (int i = 0; i < saved.GetTaskCount(); ++i) EXPECT_EQ(saved.GetTask(i)->TaskName, kRoadTasks[i].name);
  std::string timings;
  for (const RoadTiming& timing : kRoadTimings) {
    const CExpModelTask* task = nullptr;
    for (int i = 0; i < saved.GetTaskCount(); ++i) {
      if (saved.GetTask(i)->TaskName == timing.task) task = saved.GetTask(i);
    }
    ASSERT_NE(task, nullptr) << timing.task;
    if (timing.responsesEndMs) {
      EXPECT_EQ(task->w.TaskVRHigh, timing.responsesEndMs) << timing.task;
    }
    EXPECT_EQ(task->w.TaskIntLow, timing.intervalMs) << timing.task;
    timings += std::string(kRoadModelName) + "|" + timing.task + "|" + std::to_string(task->w.TaskVRHigh) + "|" +
               std::to_string(timing.intervalMs) + "\n";
  }
  EXPECT_EQ(QueryProject(project, kProjectPassword, "SELECT Model, TaskNum FROM Models;"),
            std::string(kRoadModelName) + "|" + std::to_string(std::size(kRoadTasks)) + "\n");
  std::string names;
  for (const RoadTask& task : kRoadTasks) names += std::string(task.name) + "\n";
  EXPECT_EQ(QueryProject(project, kProjectPassword, "SELECT TaskName FROM Tasks ORDER BY rowid;"), names);
  std::string fast;
  for (const RoadTiming& timing : kRoadTimings) fast += std::string(fast.empty() ? "'" : ", '") + timing.task + "'";
  EXPECT_EQ(QueryProject(project, kProjectPassword,
                         "SELECT Model, TaskName, TaskVRHigh, TaskIntLow FROM Tasks WHERE TaskName IN (" + fast +
                             ") ORDER BY rowid;"),
            timings);

  // The program started again on the same workstation; a plain project
  // made elsewhere, by nobody logged in, lies next to the first one.
  LogoutCurrentUser();
  ResetSystemSettings();
  const std::string plain = (m_data.Path() / kPlainFile).string();
  const std::string converted = (m_data.Path() / kConvertedFile).string();
  const std::string compacted = (m_data.Path() / kCompactedFile).string();
  ASSERT_TRUE(CQelProject::CreateProject(plain, "Old Clinic", "", kPlainPassword, true, false));
  const std::string again = Walk([&](Operator& op) {
    LogInAgain(op);
    OpenWorkingProject(op, project, "6 open the project again with its password");
    FindTesteesAgain(op);
    FindModelAgain(op);
    FindScoresAgain(op, shown, project);
    FindReplacedRunInHistory(op, project);
    ChangeProjectPassword(op);
    ConvertPlainProject(op, plain, converted);
    CompactConvertedProject(op, converted, compacted);
    ExitProgram(op);
  });
  ASSERT_EQ(again, "");

  // The file opens with the new password only, its testees kept.
  EXPECT_NE(test::RunSqlShell("sqlcipher", project, "SELECT count(*) FROM Testees;", kProjectPassword).exitCode, 0);
  EXPECT_EQ(QueryProject(project, kNewProjectPassword, "SELECT count(*) FROM Testees;"), "2\n");

  // The converted copy is a CFR project under its new password, made by the
  // logged-in user, with the plain project's testee codes; the plain file
  // stays as it was.
  EXPECT_EQ(QueryProject(converted, kProjectPassword, "SELECT Id FROM Users;"), std::string(kUserId) + "\n");
  EXPECT_EQ(QueryProject(converted, kProjectPassword, "SELECT TesteeCode FROM TesteeCodes;"), "Default\n");
  EXPECT_NE(test::RunSqlShell("sqlcipher", plain, "SELECT count(*) FROM Users;", kPlainPassword).exitCode, 0);
  // The compacted copy holds the converted one's rows under the new
  // password only; the converted copy keeps its own.
  EXPECT_EQ(QueryProject(compacted, kNewProjectPassword, "PRAGMA integrity_check;"), "ok\n");
  EXPECT_NE(test::RunSqlShell("sqlcipher", compacted, "SELECT count(*) FROM Users;", kProjectPassword).exitCode, 0);
  for (const char* query : {"SELECT Id FROM Users;", "SELECT TesteeCode FROM TesteeCodes;", "SELECT count(*) FROM Testees;"}) {
    EXPECT_EQ(QueryProject(compacted, kNewProjectPassword, query), QueryProject(converted, kProjectPassword, query))
        << query;
  }
}

}  // namespace
}  // namespace qel::road
