// The text export: a file of "|"-separated lines written by the record set
// itself, made anew beside the old file and put in place at the end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "db/export/ExportConnections.h"
#include "db/export/RsOdbcExport.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

void Columns(CRsOdbcExportText& rs) {
  rs.AddTextColumn("TesteeId", 63);
  rs.AddTextColumn("Code", 63);
  rs.AddDoubleColumn("Age", 10);
  rs.AddDateColumn("Bdate");
}

TEST(TextExport, LinesOfFieldsReplaceTheOldFileWhenClosed) {
  TempFolder dir;
  const std::string path = dir.File("S_TP.txt");
  std::ofstream(path) << "old content";
  CDbOdbcText db;
  ASSERT_TRUE(db.OpenFile(path, CDbOdbcText::kModeCreate));
  CRsOdbcExportText rs(&db);
  Columns(rs);
  ASSERT_TRUE(rs.CreateTable(false, false));
  rs.ClearValues();
  rs.SetTextValue("TesteeId", "O'Neil|x\r\ny");  // a value never breaks the row
  rs.SetValue("Age", "2.5");
  ASSERT_TRUE(rs.InsertRow());
  rs.ClearValues();
  rs.SetTextValue("TesteeId", "B");
  rs.SetDateValue("Bdate", QelDateTime());
  ASSERT_TRUE(rs.InsertRow());
  EXPECT_EQ(Slurp(path), "old content");
  db.Close();
  EXPECT_EQ(Slurp(path),
            "TesteeId|Code|Age|Bdate\r\n"
            "O'Neil x  y||2.5|\r\n"
            "B|||\r\n");
  EXPECT_EQ(rs.GetPath(), path);
}

TEST(TextExport, AppendingNeedsTheFileAndWritesAfterIt) {
  TempFolder dir;
  const std::string path = dir.File("S_TP.txt");
  CDbOdbcText missing;
  EXPECT_FALSE(missing.OpenFile(path, 0));
  std::ofstream(path) << "A|B\r\n";
  CDbOdbcText db;
  ASSERT_TRUE(db.OpenFile(path, 0));
  CRsOdbcExportText rs(&db);
  rs.AddTextColumn("A", 5);
  rs.AddTextColumn("B", 5);
  ASSERT_TRUE(rs.CreateTable(true, true));  // data only: no header, only a check
  rs.ClearValues();
  rs.SetTextValue("B", "b");
  ASSERT_TRUE(rs.InsertRow());
  db.Close();
  EXPECT_EQ(Slurp(path), "A|B\r\n|b\r\n");
}

TEST(TextExport, NumbersTakeTheLocalesDecimalSeparatorAndDatesItsShortDate) {
  if (!HaveProgram("localedef")) GTEST_SKIP() << "no localedef";
  TempFolder dir;
  const std::string locales = dir.File("locales");
  std::filesystem::create_directory(locales);
  const ProgramResult made = RunProgram({"localedef", "-i", "de_DE", "-f", "UTF-8", locales + "/de_DE.UTF-8"});
  if (!std::filesystem::exists(locales + "/de_DE.UTF-8/LC_NUMERIC")) GTEST_SKIP() << "no German locale source";
  ::setenv("LOCPATH", locales.c_str(), 1);
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  const std::string separator = GetLocaleDecimalSeparator();
  const std::string date = CRsOdbc::FormatDate(QelDateTime::FromDate(2001, 2, 3, 4, 5, 6), true);
  ::unsetenv("LC_ALL");
  ::unsetenv("LOCPATH");
  EXPECT_EQ(separator, ",");
  EXPECT_EQ(date, "03.02.2001");
  std::string text = "2.5|1.25";
  ::setenv("LOCPATH", locales.c_str(), 1);
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  UseLocaleDecimalSeparator(text);
  ::unsetenv("LC_ALL");
  ::unsetenv("LOCPATH");
  EXPECT_EQ(text, "2,5|1,25");
}

TEST(TextExport, DropRemovesTheFolderFileOfTheTableName) {
  TempFolder dir;
  std::ofstream(dir.File("Scores.txt")) << "x";
  CDbOdbcText db;
  ASSERT_TRUE(db.OpenFile(dir.File("Scores.csv"), CDbOdbcText::kModeCreate));
  CRsOdbcExportText rs(&db);
  EXPECT_TRUE(rs.DropTable());
  EXPECT_FALSE(std::filesystem::exists(dir.File("Scores.txt")));
  EXPECT_FALSE(rs.DropTable());
  EXPECT_FALSE(rs.CreateTable(false, false));  // no column defined
}

}  // namespace
}  // namespace test

}  // namespace qel
