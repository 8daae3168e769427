// Scores exported to an Excel workbook, read back by openpyxl; a workbook's
// sheet layout learned from the sheet itself, its other sheets kept.
#include <gtest/gtest.h>

#include <filesystem>

#include "db/export/ExportConnections.h"
#include "db/export/RsOdbcExport.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

std::string ReadWorkbook(const std::string& path) {
  const ProgramResult r = RunProgram({SystemPython(), "-c",
                                      "import sys, openpyxl\n"
                                      "wb = openpyxl.load_workbook(sys.argv[1])\n"
                                      "for ws in wb.worksheets:\n"
                                      "  print(ws.title)\n"
                                      "  for row in ws.iter_rows(values_only=True): print(list(row))\n",
                                      path});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  return r.output;
}

bool HaveOpenpyxl() { return RunProgram({SystemPython(), "-c", "import openpyxl"}).exitCode == 0; }

void WriteScores(CDbOdbcExcel& db, const std::string& testee) {
  CRsOdbcExportExcel rs(&db);
  rs.AddTextColumn("TesteeId", 63);
  rs.AddDateColumn("Bdate");
  rs.AddDoubleColumn("Nlu_tp", 10);
  ASSERT_TRUE(rs.CreateTable(false, false));
  rs.ClearValues();
  rs.SetTextValue("TesteeId", testee);
  rs.SetDateValue("Bdate", QelDateTime::FromDate(1970, 5, 6));
  rs.SetValue("Nlu_tp", "12.5");
  ASSERT_TRUE(rs.InsertRow());
  rs.ClearValues();
  rs.SetTextValue("TesteeId", "norm");
  ASSERT_TRUE(rs.InsertRow());
}

TEST(ExcelExport, TheSheetNamedByTheFileHoldsTheRows) {
  if (!HaveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is missing";
  TempFolder dir;
  const std::string path = dir.File("S_TP.xlsx");
  {
    CDbOdbcExcel db;
    ASSERT_TRUE(db.Open(path, kDbOpenNone));
    WriteScores(db, "O'Neil");
    db.Close();
  }
  EXPECT_EQ(ReadWorkbook(path),
            "S_TP\n"
            "['TesteeId', 'Bdate', 'Nlu_tp']\n"
            "[\"O'Neil\", datetime.datetime(1970, 5, 6, 0, 0), 12.5]\n"
            "['norm', None, None]\n");
}

TEST(ExcelExport, AnOpenedWorkbookKeepsItsOtherSheetsAndGivesASheetsLayout) {
  if (!HaveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is missing";
  TempFolder dir;
  const std::string path = dir.File("Book.xlsx");
  const ProgramResult made = RunProgram({SystemPython(), "-c",
                                         "import sys, openpyxl, datetime\n"
                                         "wb = openpyxl.Workbook()\n"
                                         "ws = wb.active\n"
                                         "ws.title = 'Notes'\n"
                                         "ws.append(['kept', 3, datetime.datetime(2020, 1, 2)])\n"
                                         "t = wb.create_sheet('TP')\n"
                                         "t.append(['TesteeId', 'Nlu_tp', 'Empty'])\n"
                                         "t.append(['first', 1.5, None])\n"
                                         "wb.save(sys.argv[1])\n",
                                         path});
  ASSERT_EQ(made.exitCode, 0) << made.errors;
  {
    CDbOdbcExcel db;
    ASSERT_TRUE(db.Open(path, kDbOpenNone));
    EXPECT_TRUE(db.TableExists("TP"));
    CRsOdbcExportExcel rs(&db);
    ASSERT_TRUE(rs.Open(DbRecordset::kForwardOnly, "SELECT * FROM [TP$];"));
    std::string layout;
    for (const auto& c : rs.GetColumns()) layout += c.name + ":" + std::to_string(c.type) + " ";
    EXPECT_EQ(layout, "TesteeId:12 Nlu_tp:8 Empty:12 ");
    rs.Close();
    rs.ClearValues();
    EXPECT_TRUE(rs.SetTextValue("TesteeId", "second"));
    EXPECT_TRUE(rs.SetValue("Nlu_tp", "2.5"));
    ASSERT_TRUE(rs.InsertRow("TP"));
    db.Close();
  }
  EXPECT_EQ(ReadWorkbook(path),
            "Notes\n"
            "['kept', 3, datetime.datetime(2020, 1, 2, 0, 0)]\n"
            "TP\n"
            "['TesteeId', 'Nlu_tp', 'Empty']\n"
            "['first', 1.5, None]\n"
            "['second', 2.5, None]\n");
}

TEST(ExcelExport, ASheetNameExcelRefusesFailsAtItsCreation) {
  TempFolder dir;
  CDbOdbcExcel db;
  ASSERT_TRUE(db.Open(dir.File("x.xlsx"), kDbOpenNone));
  CRsOdbcExportExcel rs(&db, "a:b");
  rs.AddTextColumn("A", 5);
  EXPECT_THROW(rs.CreateTable(false, false), DbException);
  db.Close();
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.xlsx")));  // nothing changed, nothing written
}

}  // namespace
}  // namespace test

}  // namespace qel
