// A program killed at any moment while it stores runs loses no run whose
// commit returned, and leaves a project that opens, passes SQLite's
// integrity check and holds only whole runs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "db/PackedArrays.h"
#include "db/SqliteConnection.h"
#include "project/tests/PlainProjectSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

constexpr int kKills = 200;
constexpr char kTestee[] = "O'Neil";
constexpr char kModel[] = "Model";
constexpr char kCode[] = "TP";
constexpr int kVariables = 3;

// The trials of the run that stores assessment a: sizes vary from run to run.
int TrialsOf(uint32_t assessment) { return 100 + static_cast<int>(assessment * 997 % 5900); }

// Stores assessments first, first + 1, ... until killed, writing each
// assessment number to the pipe once its commit has returned.
[[noreturn]] void StoreRunsUntilKilled(const std::string& path, uint32_t first, int pipe) {
  PromptRecorder quiet;
  PlainProject project(path);
  for (uint32_t a = first;; ++a) {
    const int n = TrialsOf(a);
    project.FillRun(0, n, static_cast<int>(a), kVariables);
    const CExpModelTask task = RunTask(kCode, a, 1, static_cast<uint32_t>(n));
    bool newRow = false;
    if (!project.db.WriteResponses(kTestee, kModel, &task, kVariables, QelDateTime::FromDate(2024, 1, 1), &newRow)) {
      ::_exit(2);
    }
    if (::write(pipe, &a, sizeof a) != sizeof a) ::_exit(3);
  }
}

// Whether the stored run of assessment a is whole: its response row with
// all its trials and its variables row.
::testing::AssertionResult RunIsWhole(SqliteConnection& db, uint32_t a) {
  SqliteStatement response(
      db,
      "SELECT RespNum, RespType, RespTime, RespCode, ProcType FROM Response "
      "WHERE Testee = ? AND Model = ? AND Task = ? AND Assessment = ? AND PartNo = 1 AND SerNo = 0");
  response.BindAll({DbValue(kTestee), DbValue(kModel), DbValue(kCode), DbValue(a)});
  if (!response.Step()) return ::testing::AssertionFailure() << "no responses of assessment " << a;
  const int n = TrialsOf(a);
  if (response.ColumnInteger(0) != n) return ::testing::AssertionFailure() << "RespNum of assessment " << a;
  for (int array = 0; array < 4; ++array) {
    const DbValue column = response.Column(1 + array);
    if (!column.IsBytes() || column.Bytes().size() != static_cast<size_t>(n) * 4) {
      return ::testing::AssertionFailure() << "array " << array << " of assessment " << a;
    }
    std::vector<uint32_t> values;
    DWordArrayFromByteArray(column.Bytes(), values, n);
    for (int i = 0; i < n; i += 97) {
      if (static_cast<int32_t>(values[static_cast<size_t>(i)]) != RunValue(array, 0, i, static_cast<int>(a))) {
        return ::testing::AssertionFailure() << "value " << i << " of array " << array << " of assessment " << a;
      }
    }
  }
  SqliteStatement variables(db,
                            "SELECT VarNum, VarValues FROM Variable WHERE Testee = ? AND Model = ? AND Task = ? AND "
                            "Assessment = ?");
  variables.BindAll({DbValue(kTestee), DbValue(kModel), DbValue(kCode), DbValue(a)});
  if (!variables.Step() || variables.ColumnInteger(0) != kVariables) {
    return ::testing::AssertionFailure() << "no variables of assessment " << a;
  }
  std::vector<double> values;
  DoublesFromByteArray(variables.Column(1).Bytes(), values, kVariables);
  if (values[2] != static_cast<double>(a) + 1.0) return ::testing::AssertionFailure() << "values of assessment " << a;
  return ::testing::AssertionSuccess();
}

TEST(PlainProjectCrash, AWriterKilledAtAnyMomentLosesNoCommittedRunAndLeavesAProjectThatOpens) {
  TempFolder dir;
  const std::string path = dir.File("Crash.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(path, "me", "", nullptr, true, false));
  std::mt19937 random(20240301);
  std::vector<uint32_t> committed;
  uint32_t next = 1;
  int cutShort = 0;  // kills that left a write to roll back
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(fds[0]);
      StoreRunsUntilKilled(path, next, fds[1]);
    }
    ::close(fds[1]);
    // The kill falls after none, one or two returned commits (whatever the
    // machine's pace), at a random moment of the writes that follow.
    const size_t before = committed.size();
    uint32_t a = 0;
    for (int wait = static_cast<int>(random() % 3); wait > 0 && ::read(fds[0], &a, sizeof a) == sizeof a; --wait) {
      committed.push_back(a);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);
    while (::read(fds[0], &a, sizeof a) == sizeof a) committed.push_back(a);
    ::close(fds[0]);
    if (committed.size() > before) next = committed.back() + 1;
    if (std::filesystem::exists(path + "-journal")) ++cutShort;

    // The program opens the project as it stands (a write the kill cut
    // short is rolled back first) and loads it whole.
    PromptRecorder prompts;
    PlainProject project(path);
    ASSERT_TRUE(project.db.Reload(nullptr, true)) << (prompts.Shown().empty() ? "" : prompts.Shown()[0].text);
    SqliteConnection db;
    db.Open(path, "", true);
    {
      SqliteStatement check(db, "PRAGMA integrity_check");
      ASSERT_TRUE(check.Step());
      ASSERT_EQ(check.ColumnText(0), "ok");
    }
    for (size_t i = before; i < committed.size(); ++i) ASSERT_TRUE(RunIsWhole(db, committed[i]));
  }

  EXPECT_GT(cutShort, 0) << "no kill fell inside a write";
  // Every committed run is there, and every run there is whole.
  SqliteConnection db;
  db.Open(path, "", true);
  for (uint32_t a : committed) ASSERT_TRUE(RunIsWhole(db, a));
  SqliteStatement stored(db, "SELECT Assessment FROM Response");
  while (stored.Step()) ASSERT_TRUE(RunIsWhole(db, static_cast<uint32_t>(stored.ColumnInteger(0))));
}

}  // namespace
}  // namespace test

}  // namespace qel
