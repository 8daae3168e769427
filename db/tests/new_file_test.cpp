// New files are made beside their target and get their name only when
// whole; a new database is whole or absent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "db/Dao.h"
#include "db/NewFile.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

size_t FilesIn(const std::filesystem::path& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

void WriteThrough(const CFileReplacement& file, const std::string& text) {
  std::ofstream out(file.WritePath(), std::ios::binary);
  out << text;
}

DbErrorKind KindOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const DbException& e) {
    return e.Kind();
  }
  ADD_FAILURE() << "no error";
  return DbErrorKind::kOther;
}

// A new file of the database layer appears under its name only when
// committed, never over an existing file, and its failures come as
// DbException kinds.
TEST(NewFiles, ANewFileTakesItsNameOnlyWhenCommittedAndNeverOverAnExistingOne) {
  for (const CFileReplacement::Temp temp : {CFileReplacement::Temp::kAnonymous, CFileReplacement::Temp::kNamed}) {
    SCOPED_TRACE(temp == CFileReplacement::Temp::kNamed ? "named" : "anonymous");
    TempFolder dir;
    const std::string target = dir.File("out.txt");
    {
      CFileReplacement file;
      BeginNewFile(file, target, temp, CFileReplacement::Mode::kNewOnly);
      WriteThrough(file, "new");
      EXPECT_FALSE(std::filesystem::exists(target));
      CommitNewFile(file);
    }
    EXPECT_EQ(Slurp(target), "new");
    {
      CFileReplacement file;
      EXPECT_EQ(KindOf([&] { BeginNewFile(file, target, temp, CFileReplacement::Mode::kNewOnly); }),
                DbErrorKind::kFileExists);
    }
    const std::string later = dir.File("later.txt");
    {
      CFileReplacement file;
      BeginNewFile(file, later, temp, CFileReplacement::Mode::kNewOnly);
      WriteThrough(file, "other");
      std::ofstream(later) << "appeared meanwhile";
      EXPECT_EQ(KindOf([&] { CommitNewFile(file); }), DbErrorKind::kFileExists);
    }
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_EQ(Slurp(later), "appeared meanwhile");
    {
      CFileReplacement file;
      BeginNewFile(file, dir.File("dropped.txt"), temp, CFileReplacement::Mode::kNewOnly);
      WriteThrough(file, "dropped");
    }  // not committed
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
    EXPECT_EQ(KindOf([&] {
                CFileReplacement file;
                BeginNewFile(file, dir.File("no/such/folder/x"), temp, CFileReplacement::Mode::kReplace);
              }),
              DbErrorKind::kMissingFile);
  }
}

TEST(NewFiles, ANewDatabaseIsWholeOrAbsent) {
  TempFolder dir;
  const std::string path = dir.File("p.qep");
  {
    DaoDatabase db;
    db.Create(path, "");
    db.Connection().Execute("CREATE TABLE T (a)");
    // Not completed: nothing stays.
  }
  EXPECT_EQ(FilesIn(dir.Path()), 0u);
  {
    DaoDatabase db;
    db.Create(path, "");
    db.Connection().Execute("CREATE TABLE T (a)");
    db.Complete();
  }
  EXPECT_TRUE(std::filesystem::exists(path));
  const std::string before = Slurp(path);
  DaoDatabase again;
  try {
    again.Create(path, "");
    ADD_FAILURE() << "created over an existing file";
  } catch (const DaoException& e) {
    EXPECT_EQ(e.Code(), kDaoErrorFileExists);
    std::string text;
    EXPECT_EQ(DaoErrorText(e, &text, false), kDaoResultFileExists);
    EXPECT_EQ(text, "FILE ALREADY EXISTS!");
  }
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(NewFiles, ATableThatCannotBeCreatedIsReportedOnceAndLeavesNothing) {
  TempFolder dir;
  PromptRecorder prompts;
  DaoDatabase db;
  db.Create(dir.File("p.qep"), "");
  const DaoTableDefinition definition =
      MakeDaoTableDefinition({{"Code", kDaoText, 10, false, true, false}}, MakeDaoPrimaryIndex("SameIndex", {"Code"}));
  ASSERT_TRUE(CreateDaoTable(&db, "A", definition));
  // The index name is taken: the second table fails as a whole.
  EXPECT_FALSE(CreateDaoTable(&db, "B", definition));
  EXPECT_FALSE(DaoTableExists(&db, "B"));
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text.rfind("Creating table B: " + dir.File("p.qep") + "\r\nERROR 1:\r\n", 0), 0u)
      << prompts.Shown()[0].text;
  EXPECT_EQ(prompts.Shown()[0].style, kPromptOk | kPromptIconWarning);
  EXPECT_FALSE(CreateDaoTable(&db, "", definition));
  EXPECT_FALSE(CreateDaoTable(nullptr, "C", definition));

  const DaoException exists(kDaoErrorFileExists, "", "");
  EXPECT_EQ(ReportDaoException(&exists, "Creating table X", true, "/d/p.qep", true), kDaoResultFileExists);
  EXPECT_EQ(prompts.Shown()[1].text, "Creating table X: /d/p.qep\r\nFILE ALREADY EXISTS!");
  const DaoException password(kDaoErrorPassword, "", "");
  std::string text;
  EXPECT_EQ(DaoErrorText(password, &text, true), kDaoResultPassword);
  EXPECT_EQ(text, "PASSWORD REQUIRED!");
}

}  // namespace
}  // namespace test

}  // namespace qel
