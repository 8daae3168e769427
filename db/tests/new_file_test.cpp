// New files are made beside their target and get its name only when whole;
// the file they replace keeps its place (and its mode) until then.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "db/Dao.h"
#include "db/FilePublish.h"
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

void WriteThrough(NewFileBeside& file, const std::string& text) {
  std::ofstream out(file.WritePath(), std::ios::binary);
  out << text;
}

TEST(NewFiles, ANewFileTakesItsNameOnlyWhenPublishedAndNeverOverAnExistingOne) {
  TempFolder dir;
  const std::string target = dir.File("out.txt");
  {
    NewFileBeside file;
    file.Create(target, false);
    WriteThrough(file, "new");
    EXPECT_FALSE(std::filesystem::exists(target));
    file.Publish(false);
  }
  EXPECT_EQ(Slurp(target), "new");
  {
    NewFileBeside file;
    file.Create(target, false);
    WriteThrough(file, "other");
    try {
      file.Publish(false);
      ADD_FAILURE() << "published over an existing file";
    } catch (const DbException& e) {
      EXPECT_EQ(e.Kind(), DbErrorKind::kFileExists);
    }
  }
  EXPECT_EQ(Slurp(target), "new");
  {
    NewFileBeside file;
    file.Create(target, true);  // with a name of its own, dropped while it is filled
    WriteThrough(file, "dropped");
    file.DropName();
  }
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(NewFiles, AReplacementKeepsTheModeAndAttributesAndHonoursAReadOnlyTarget) {
  TempFolder dir;
  const std::string target = dir.File("out.txt");
  std::ofstream(target) << "old";
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const bool attributes = ::setxattr(target.c_str(), "user.qel", "v", 1, 0) == 0;
  {
    NewFileBeside file;
    file.Create(target, true);
    WriteThrough(file, "newer");
    file.DropName();
    file.Publish(true);
  }
  EXPECT_EQ(Slurp(target), "newer");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (attributes) {
    char value[4] = {};
    EXPECT_EQ(::getxattr(target.c_str(), "user.qel", value, sizeof value), 1);
    EXPECT_EQ(value[0], 'v');
  }
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(target.c_str(), 0440), 0);
    NewFileBeside file;
    file.Create(target, false);
    EXPECT_THROW(file.Publish(true), DbException);
    EXPECT_EQ(Slurp(target), "newer");
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
