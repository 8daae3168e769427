// Audited writes under the worst conditions: a writer killed at any moment
// never leaves a kept version without the change it belongs to, or a
// change without its kept version; two programs storing runs into one
// project at once both get them stored (one waits for the other).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "db/PackedArrays.h"
#include "db/SqliteConnection.h"
#include "project/tests/CfrProjectSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

constexpr int kKills = 200;
constexpr int kWritesPerAssessment = 3;  // the first stores, the others store the part again

// The trials of write w: sizes vary from write to write.
int TrialsOf(uint32_t w) { return 100 + static_cast<int>(w * 997 % 5900); }
uint32_t AssessmentOf(uint32_t w) { return w / kWritesPerAssessment + 1; }

// Performs writes first, first + 1, ... until killed, writing each write's
// number to the pipe once its commit has returned. Write w stores part 1 of
// its assessment with values tagged w.
[[noreturn]] void WriteUntilKilled(const std::string& path, uint32_t first, int pipe) {
  PromptRecorder quiet;
  CfrProject project(path);
  const CUserRecord user = TestUser("writer");
  for (uint32_t w = first;; ++w) {
    if (!project.Store(user, AssessmentOf(w), 1, TrialsOf(w), static_cast<int>(w), QelDateTime::FromDate(2024, 1, 1))) {
      ::_exit(2);
    }
    if (::write(pipe, &w, sizeof w) != sizeof w) ::_exit(3);
  }
}

int64_t Count(SqliteConnection& db, const std::string& sql, uint32_t assessment) {
  SqliteStatement statement(db, sql);
  statement.Bind(1, DbValue(assessment));
  statement.Step();
  return statement.ColumnInteger(0);
}

// The value seed of the current response and variables rows of an assessment.
::testing::AssertionResult AssessmentIsWhole(SqliteConnection& db, uint32_t a) {
  const int64_t keptResponses = Count(db, "SELECT count(*) FROM ResponsesHistory WHERE AssNo = ?", a);
  const int64_t keptVariables = Count(db, "SELECT count(*) FROM VariablesHistory WHERE AssNo = ?", a);
  if (keptResponses != keptVariables) {
    return ::testing::AssertionFailure() << "assessment " << a << ": " << keptResponses << " kept parts, "
                                         << keptVariables << " kept scores";
  }
  // The current rows are the write after the kept ones.
  const uint32_t w = (a - 1) * kWritesPerAssessment + static_cast<uint32_t>(keptResponses);
  SqliteStatement response(db, "SELECT RespNum, RespTime FROM Responses WHERE AssNo = ?");
  response.Bind(1, DbValue(a));
  if (!response.Step()) return ::testing::AssertionFailure() << "no responses of assessment " << a;
  const int n = TrialsOf(w);
  if (response.ColumnInteger(0) != n) return ::testing::AssertionFailure() << "RespNum of assessment " << a;
  std::vector<uint32_t> times;
  DWordArrayFromByteArray(response.Column(1).Bytes(), times, n);
  if (static_cast<int32_t>(times[static_cast<size_t>(n - 1)]) != RunValue(1, 0, n - 1, static_cast<int>(w))) {
    return ::testing::AssertionFailure() << "responses of assessment " << a << " are not those of write " << w;
  }
  SqliteStatement variables(db, "SELECT VarValues FROM Variables WHERE AssNo = ?");
  variables.Bind(1, DbValue(a));
  if (!variables.Step()) return ::testing::AssertionFailure() << "no variables of assessment " << a;
  std::vector<double> values;
  DoublesFromByteArray(variables.Column(0).Bytes(), values, 3);
  if (values[0] != static_cast<double>(w)) {
    return ::testing::AssertionFailure() << "variables of assessment " << a << " are not those of write " << w;
  }
  // Each kept part is an earlier write, in order.
  SqliteStatement kept(db, "SELECT RespNum FROM ResponsesHistory WHERE AssNo = ? ORDER BY Seq");
  kept.Bind(1, DbValue(a));
  for (uint32_t k = (a - 1) * kWritesPerAssessment; kept.Step(); ++k) {
    if (kept.ColumnInteger(0) != TrialsOf(k)) return ::testing::AssertionFailure() << "kept part " << k;
  }
  return ::testing::AssertionSuccess();
}

TEST(CfrProjectCrash, AWriterKilledAtAnyMomentNeverSplitsAChangeFromItsKeptVersion) {
  TempFolder dir;
  const std::string path = dir.File("Crash.qep");
  MakeCfrProjectForRuns(path);
  std::mt19937 random(20240302);
  std::vector<uint32_t> committed;
  uint32_t next = 0;
  int cutShort = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(fds[0]);
      WriteUntilKilled(path, next, fds[1]);
    }
    ::close(fds[1]);
    const size_t before = committed.size();
    uint32_t w = 0;
    for (int wait = static_cast<int>(random() % 3); wait > 0 && ::read(fds[0], &w, sizeof w) == sizeof w; --wait) {
      committed.push_back(w);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);
    while (::read(fds[0], &w, sizeof w) == sizeof w) committed.push_back(w);
    ::close(fds[0]);
    if (std::filesystem::exists(path + "-journal")) ++cutShort;
    // The next writer goes on after the last write that stands (a write the
    // kill cut short is rolled back when the file is next opened).
    {
      PromptRecorder prompts;
      CfrProject project(path);
      ASSERT_TRUE(project.db.Reload(nullptr, true));
    }
    SqliteConnection db;
    db.Open(path, "", true);
    {
      SqliteStatement check(db, "PRAGMA integrity_check");
      ASSERT_TRUE(check.Step());
      ASSERT_EQ(check.ColumnText(0), "ok");
    }
    SqliteStatement last(db, "SELECT max(AssNo) FROM Responses");
    ASSERT_TRUE(last.Step());
    if (!last.Column(0).IsNull()) {
      const uint32_t a = static_cast<uint32_t>(last.ColumnInteger(0));
      ASSERT_TRUE(AssessmentIsWhole(db, a));
      next = (a - 1) * kWritesPerAssessment +
             static_cast<uint32_t>(Count(db, "SELECT count(*) FROM ResponsesHistory WHERE AssNo = ?", a)) + 1;
    }
    if (committed.size() > before) ASSERT_GE(next, committed.back() + 1) << "a committed write was lost";
  }
  EXPECT_GT(cutShort, 0) << "no kill fell inside a write";
  SqliteConnection db;
  db.Open(path, "", true);
  SqliteStatement stored(db, "SELECT AssNo FROM Responses");
  while (stored.Step()) ASSERT_TRUE(AssessmentIsWhole(db, static_cast<uint32_t>(stored.ColumnInteger(0))));
  SqliteStatement users(db, "SELECT count(*) FROM Users WHERE Id = 'writer'");
  ASSERT_TRUE(users.Step());
  EXPECT_EQ(users.ColumnInteger(0), committed.empty() ? users.ColumnInteger(0) : 1);
}

TEST(CfrProjectSharing, TwoProgramsStoringIntoOneProjectAtOnceBothStoreEveryRun) {
  TempFolder dir;
  const std::string path = dir.File("Shared.qep");
  MakeCfrProjectForRuns(path);
  constexpr int kRuns = 40;
  pid_t writers[2];
  for (int k = 0; k < 2; ++k) {
    writers[k] = ::fork();
    ASSERT_GE(writers[k], 0);
    if (writers[k] == 0) {
      PromptRecorder quiet;
      CfrProject project(path);
      const CUserRecord user = TestUser(k == 0 ? "first" : "second");
      for (int r = 0; r < kRuns; ++r) {
        // Each program has assessments of its own; each stores a part twice.
        const uint32_t a = static_cast<uint32_t>(k * 1000 + r / 2 + 1);
        if (!project.Store(user, a, 1, 500, k * 1000 + r, QelDateTime::FromDate(2024, 1, 1))) {
          for (const std::string& text : quiet.ShownTexts()) std::fprintf(stderr, "%s\n", text.c_str());
          ::_exit(10 + k);
        }
      }
      ::_exit(quiet.Shown().empty() ? 0 : 20 + k);
    }
  }
  for (pid_t pid : writers) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  SqliteConnection db;
  db.Open(path, "", true);
  SqliteStatement check(db, "PRAGMA integrity_check");
  ASSERT_TRUE(check.Step());
  EXPECT_EQ(check.ColumnText(0), "ok");
  SqliteStatement counts(db,
                         "SELECT (SELECT count(*) FROM Responses), (SELECT count(*) FROM ResponsesHistory), "
                         "(SELECT count(*) FROM VariablesHistory), (SELECT count(*) FROM Users)");
  ASSERT_TRUE(counts.Step());
  EXPECT_EQ(counts.ColumnInteger(0), kRuns);      // 20 assessments of each program
  EXPECT_EQ(counts.ColumnInteger(1), kRuns);      // each stored once again
  EXPECT_EQ(counts.ColumnInteger(2), kRuns);
  EXPECT_EQ(counts.ColumnInteger(3), 3);          // admin and the two writers
}

}  // namespace
}  // namespace test

}  // namespace qel
