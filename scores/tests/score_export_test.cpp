// Score tables of one score and of many, written to text, Excel and dBase
// and read back by real readers; a template workbook filled at its places.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/tests/support/DbTestTools.h"
#include "scores/ScoreExport.h"
#include "scores/tests/ScoreTestProject.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {
namespace test {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string Python(const std::string& script, const std::string& path) {
  const ProgramResult r = RunProgram({SystemPython(), "-c", script, path});
  EXPECT_EQ(r.exitCode, 0) << r.errors;
  return r.output;
}

const char kReadXlsx[] =
    "import sys, openpyxl\n"
    "wb = openpyxl.load_workbook(sys.argv[1])\n"
    "for ws in wb.worksheets:\n"
    "  print(ws.title)\n"
    "  for row in ws.iter_rows(values_only=True): print(list(row))\n";
const char kReadDbf[] =
    "import sys, dbfread\n"
    "t = dbfread.DBF(sys.argv[1], encoding='cp1252')\n"
    "print(t.field_names)\n"
    "for r in t: print(list(r.values()))\n";

bool Have(const char* module) { return RunProgram({SystemPython(), "-c", std::string("import ") + module}).exitCode == 0; }

class ScoreExportTest : public ScoreProjectTest {
 protected:
  ScoreExportSource One() {
    ScoreExportSource s;
    s.score = document_.get();
    return s;
  }
  ScoreExportSource Many() {
    ScoreExportSource s;
    s.store = store_.get();
    s.testees = {kTestee, "T02", "Nobody"};
    s.model = kModel;
    s.task = kCode;
    return s;
  }
  void SetUp() override {
    ScoreProjectTest::SetUp();
    task_ = FinishedRun();
    document_ = Computed(task_);
  }
  CExpModelTask task_;
  std::unique_ptr<CScoreDocument> document_;
  PromptRecorder prompts_;
};

constexpr char kTextHeader[] =
    "TesteeId|Code|Fname|Sname|Sex|Pref|Bdate|Tdate|Ttime|Age|ModelId|TaskId|AssNo|Nlu_tp|Tlu_tp|Slu_tp\r\n";

TEST_F(ScoreExportTest, OneScoreAsTextLineByLine) {
  const std::string path = dir_.File("S_TP.txt");
  ASSERT_TRUE(ExportScoreTable(ScoreExportType::kText, path, One(), {}));
  const std::string text = Slurp(path);
  ASSERT_EQ(text.substr(0, sizeof kTextHeader - 1), kTextHeader);
  const std::string row = text.substr(sizeof kTextHeader - 1);
  // No value (9999.0) is an empty field.
  EXPECT_EQ(row.substr(0, 20), "T01||Ann|Lee|Female|");
  EXPECT_NE(row.find("|30.50|Model A|TP|1|3|3.5|\r\n"), std::string::npos) << row;

  // Appending: data only, after the existing lines.
  ScoreExportOptions append;
  append.append = append.dataOnly = append.noTesteeName = true;
  ASSERT_TRUE(ExportScoreTable(ScoreExportType::kText, path, One(), append));
  const std::string both = Slurp(path);
  EXPECT_EQ(both.substr(0, text.size()), text);
  EXPECT_EQ(both.substr(text.size(), 16), "T01||||Female|L|");
  // Appending needs the file.
  EXPECT_FALSE(ExportScoreTable(ScoreExportType::kText, dir_.File("none.txt"), One(), append));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("none.txt")));
}

TEST_F(ScoreExportTest, OneAndManyScoresToExcel) {
  if (!Have("openpyxl")) GTEST_SKIP() << "python3-openpyxl is missing";
  const std::string one = dir_.File("S_TP.xlsx");
  ASSERT_TRUE(ExportScoreTable(ScoreExportType::kExcel, one, One(), {}));
  EXPECT_EQ(Python(kReadXlsx, one),
            "S_TP\n"
            "['TesteeId', 'Code', 'Fname', 'Sname', 'Sex', 'Pref', 'Bdate', 'Tdate', 'Ttime', 'Age', 'ModelId', "
            "'TaskId', 'AssNo', 'Nlu_tp', 'Tlu_tp', 'Slu_tp']\n"
            "['T01', None, 'Ann', 'Lee', 'Female', 'L', datetime.datetime(1990, 1, 1, 0, 0), "
            "datetime.datetime(2020, 7, 1, 0, 0), '10:30', 30.5, 'Model A', 'TP', 1, 3, 3.5, None]\n");

  AddTestee("T02", "Bo", QelDateTime::FromDate(2030, 1, 1));  // born after the test: no age
  Save(kTestee, 1, 10.0);
  Save(kTestee, 2, 20.0);
  Save("T02", 1, 30.0);
  const std::string many = dir_.File("T_TP.xlsx");
  ASSERT_TRUE(ExportScoreTable(ScoreExportType::kExcel, many, Many(), {}));
  const std::string out = Python(kReadXlsx, many);
  EXPECT_NE(out.find("['T01', None, 'Ann', 'Lee', 'Female', 'L', datetime.datetime(1990, 1, 1, 0, 0), "
                     "datetime.datetime(2020, 7, 1, 0, 0), '10:30', 30.5, 'Model A', 'TP', 1, 10, 11, None]"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("'TP', 2, 20, 21, None]"), std::string::npos) << out;
  // No age can be computed: the age "NULL", an empty cell in Excel.
  EXPECT_NE(out.find("['T02', None, 'Bo', 'Smith', 'Male', 'R', datetime.datetime(2030, 1, 1, 0, 0), "
                     "datetime.datetime(2020, 7, 1, 0, 0), '10:30', "
                     "None, 'Model A', 'TP', 1, 30, 31, None]"),
            std::string::npos)
      << out;
}

TEST_F(ScoreExportTest, OneAndManyScoresToDbase) {
  if (!Have("dbfread")) GTEST_SKIP() << "python3-dbfread is missing";
  const std::string one = dir_.File("S_TP.dbf");
  ASSERT_TRUE(ExportScoreTable(ScoreExportType::kDbase, one, One(), {}));
  const std::string out = Python(kReadDbf, one);
  EXPECT_NE(out.find("'AssNo', 'Nlu_tp', 'Tlu_tp', 'Slu_tp']"), std::string::npos) << out;
  EXPECT_NE(out.find("['T01', '', 'Ann', 'Lee', 'Female', 'L', datetime.date(1990, 1, 1), datetime.date(2020, 7, 1), "
                     "'10:30', 30.5, 'Model A', 'TP', 1.0, 3.0, 3.5, None]"),
            std::string::npos)
      << out;

  Save(kTestee, 1, 10.0);
  const std::string many = dir_.File("T_TP.dbf");
  ASSERT_TRUE(ExportScoreTable(ScoreExportType::kDbase, many, Many(), {}));
  EXPECT_NE(Python(kReadDbf, many).find("'TP', 1.0, 10.0, 11.0, None]"), std::string::npos);
}

// A template source holding one workbook.
class OneTemplate : public IScoreTemplates {
 public:
  Result result = Result::kFound;
  std::string bytes;
  Result ReadTemplate(const std::string&, const std::string&, std::string* out) override {
    *out = bytes;
    return result;
  }
};

TEST_F(ScoreExportTest, TemplateCellsFilledAtTheirPlacesAndNothingUnrelatedOverwritten) {
  if (!Have("openpyxl")) GTEST_SKIP() << "python3-openpyxl is missing";
  const std::string made = dir_.File("made.xlsx");
  Python("import sys, openpyxl\n"
         "wb = openpyxl.Workbook()\n"
         "ws = wb.active\n"
         "ws.title = 'Graph'\n"
         "ws.append(['keep me'])\n"
         "t = wb.create_sheet('TP')\n"
         "t.append(['TesteeId', 'Age', 'Tlu_tp', 'Nlu_tp', 'Other'])\n"
         "wb.save(sys.argv[1])\n",
         made);
  OneTemplate templates;
  templates.bytes = Slurp(made);
  const std::string path = dir_.File("S_TP.xlsx");
  ASSERT_TRUE(ExportScoreTemplate(path, *document_, {}, &templates, "English"));
  const std::string out = Python(kReadXlsx, path);
  EXPECT_EQ(out,
            "Graph\n['keep me']\n"
            "TP\n['TesteeId', 'Age', 'Tlu_tp', 'Nlu_tp', 'Other']\n"
            "['T01', 30.5, 3.5, 3, None]\n"
            "['norm', None, None, None, None]\n");

  // An unrelated file at the target is never written over.
  const std::string notes = dir_.File("notes.xlsx");
  std::ofstream(notes) << "my notes";
  EXPECT_FALSE(ExportScoreTemplate(notes, *document_, {}, &templates, "English"));
  EXPECT_EQ(Slurp(notes), "my notes");

  // A missing template with no workbook to fill.
  templates.result = IScoreTemplates::Result::kMissing;
  EXPECT_FALSE(ExportScoreTemplate(dir_.File("new.xlsx"), *document_, {}, &templates, "Dutch"));
  ASSERT_FALSE(prompts_.ShownTexts().empty());
  EXPECT_EQ(prompts_.ShownTexts().back(), "Missing template:\r\nlanguage \"Dutch\"\r\ntask \"TP\"!");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("new.xlsx")));
}

TEST(ScoreExportNames, TitlesExtensionsAndLimits) {
  EXPECT_EQ(ExportDefaultName(ScoreExportType::kText, false, false, false, 1, "TP"), "S_TP");
  EXPECT_EQ(ExportDefaultName(ScoreExportType::kDbase, false, false, false, 3, "TP"), "T_TP");
  EXPECT_EQ(ExportDefaultName(ScoreExportType::kTableBitmap, true, true, false, 1, "TP"), "Line_TP");
  EXPECT_EQ(ExportDefaultName(ScoreExportType::kTableBitmap, true, false, false, 1, "TP"), "Z_TP");
  EXPECT_EQ(ExportDefaultName(ScoreExportType::kTableText, false, false, true, 1, "TP"), "Table_TP_series");
  EXPECT_EQ(ExportExtension(ScoreExportType::kExcel, false), ".xlsx");
  EXPECT_EQ(ExportExtension(ScoreExportType::kDbase, true), "");
  EXPECT_EQ(CheckExportTitle("/tmp/ABCDEFGHI.dbf", ScoreExportType::kDbase, false), "Too long file name! MaxLen=8 chars!");
  EXPECT_EQ(CheckExportTitle("/tmp/ABCDEFGH.dbf", ScoreExportType::kDbase, false), "");
  EXPECT_EQ(CheckExportTitle("/tmp/" + std::string(32, 'x') + ".txt", ScoreExportType::kText, false),
            "Too long file name! MaxLen=31 chars!");
}

}  // namespace
}  // namespace test
}  // namespace qel
