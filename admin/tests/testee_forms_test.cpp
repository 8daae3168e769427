// The testee, testee code and testee search rules without a window: what
// each mode may change, completeness, captions, questions, comment files
// and the search through a project cache.
#include <gtest/gtest.h>

#include <fstream>

#include "admin/AdminProject.h"
#include "admin/TesteeForms.h"
#include "admin/TesteeSearch.h"
#include "project/ProjectData.h"
#include "project/TaskAvailability.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

CTesteeInfo CompleteTestee() {
  CTesteeInfo t;
  t.m_testee = "T01";
  t.m_code = "Default";
  t.m_firstName = "Ann";
  t.m_surname = "Smith";
  t.m_dateBirth = QelDateTime::FromDate(1980, 5, 17);
  t.m_preference = 0;
  t.m_sex = 1;
  return t;
}

TEST(TesteeForm, EachMissingFieldLeavesTheRecordIncomplete) {
  struct Case {
    const char* name;
    void (*spoil)(CTesteeInfo&);
  };
  const Case cases[] = {
      {"no Id", [](CTesteeInfo& t) { t.m_testee.clear(); }},
      {"no code", [](CTesteeInfo& t) { t.m_code.clear(); }},
      {"no first name", [](CTesteeInfo& t) { t.m_firstName.clear(); }},
      {"no surname", [](CTesteeInfo& t) { t.m_surname.clear(); }},
      {"no birth date", [](CTesteeInfo& t) { t.m_dateBirth = QelDateTime::Null(); }},
      {"no preference", [](CTesteeInfo& t) { t.m_preference = -1; }},
      {"no sex", [](CTesteeInfo& t) { t.m_sex = -1; }},
  };
  EXPECT_TRUE(CTesteeForm(RecordMode::kNew, CompleteTestee()).IsComplete(true));
  EXPECT_FALSE(CTesteeForm(RecordMode::kNew, CompleteTestee()).IsComplete(false));  // no code row selected
  for (const Case& c : cases) {
    CTesteeInfo t = CompleteTestee();
    c.spoil(t);
    CTesteeForm form(RecordMode::kNew, t);
    form.SetModified();
    EXPECT_FALSE(form.IsComplete(true)) << c.name;
    EXPECT_EQ(form.Caption(form.IsComplete(true)), "New Testee data - NOT COMPLETED!") << c.name;
    EXPECT_EQ(form.CloseQuestion(false), "Complete changes of the testee \"" + t.m_testee + "\" data?") << c.name;
  }
}

TEST(TesteeForm, EachModeOpensOnlyItsFields) {
  struct Case {
    RecordMode mode;
    bool codes;
    bool id, code, date, comment, files, notice, changes;
  };
  const Case cases[] = {
      {RecordMode::kNew, true, true, true, true, true, true, true, false},
      {RecordMode::kEdit, true, false, false, true, true, true, false, false},
      {RecordMode::kView, true, false, false, false, false, false, false, true},
      {RecordMode::kNew, false, false, false, false, false, true, true, false},  // no codes: nothing editable
  };
  for (const Case& c : cases) {
    const CTesteeFormAccess a = CTesteeForm(c.mode, CompleteTestee()).Access(c.codes);
    SCOPED_TRACE(static_cast<int>(c.mode) * 10 + c.codes);
    EXPECT_EQ(a.id, c.id);
    EXPECT_EQ(a.code, c.code);
    EXPECT_EQ(a.date, c.date);
    EXPECT_EQ(a.comment, c.comment);
    EXPECT_EQ(a.commentFiles, c.files);
    EXPECT_EQ(a.notice, c.notice);
    EXPECT_EQ(a.changes, c.changes);
  }
}

TEST(TesteeForm, CaptionsSaveAndTexts) {
  CTesteeForm view(RecordMode::kView, CompleteTestee());
  EXPECT_EQ(view.Caption(true), "View Testee data");
  view.SetModified();
  EXPECT_FALSE(view.SaveShown());  // a viewed testee is never saved
  CTesteeForm edit(RecordMode::kEdit, CompleteTestee());
  EXPECT_FALSE(edit.SaveShown());  // nothing changed yet
  edit.SetModified();
  EXPECT_TRUE(edit.SaveShown());
  EXPECT_EQ(edit.Caption(true), "Edit Testee data");
  EXPECT_EQ(edit.CloseQuestion(true), "Apply changes of the testee \"T01\" data?");
  EXPECT_EQ(edit.DefaultCommentFile(), "TesteeComment_T01");
  EXPECT_FALSE(edit.PutCommentEnabled());
  edit.Edit().m_comment = "  seen twice \r\n";
  EXPECT_TRUE(edit.PutCommentEnabled());
  edit.Edit().m_firstName = "\tAnn ";
  edit.TrimTexts();
  EXPECT_EQ(edit.Info().m_comment, "seen twice");
  EXPECT_EQ(edit.Info().m_firstName, "Ann");
}

TEST(TesteeCodeForm, ABlankCodeIsTrimmedToEmptyAndIncomplete) {
  CTesteeCodeInfo info;
  info.m_code = "   ";
  info.m_columns = kTesteeCodeColumnCode | kTesteeCodeColumnDescription;
  CTesteeCodeForm form(RecordMode::kNew, info);
  form.SetModified();
  form.TrimTexts();
  EXPECT_FALSE(form.IsComplete());
  EXPECT_EQ(form.Caption(), "New Testee code data - NOT COMPLETED!");
  EXPECT_EQ(form.CloseQuestion(), "Complete changes of the testee code \"\" data?");
  EXPECT_EQ(form.Info().m_columns, info.m_columns);  // carried unchanged
  form.Edit().m_code = "Clinic";
  EXPECT_TRUE(form.IsComplete());
  EXPECT_EQ(form.CloseQuestion(), "Apply changes of the testee code \"Clinic\" data?");
  EXPECT_EQ(form.DefaultCommentFile(), "TesteeCodeComment_Clinic");
  EXPECT_TRUE(form.Editable());
  EXPECT_FALSE(CTesteeCodeForm(RecordMode::kView, info).Editable());
  EXPECT_FALSE(CTesteeCodeForm(RecordMode::kView, info).SaveShown());
}

TEST(CommentFiles, SizeLimitIsExactAndTheTextIsTrimmed) {
  TempFolder folder;
  const std::string fits = folder.File("fits.txt");
  const std::string over = folder.File("over.txt");
  {
    std::ofstream(fits, std::ios::binary) << std::string(kMaxCommentFileBytes - 3, 'a') << " \n ";
    std::ofstream(over, std::ios::binary) << std::string(kMaxCommentFileBytes + 1, 'b');
  }
  std::string comment = "old";
  std::string error;
  ASSERT_TRUE(ReadCommentFile(fits, &comment, &error)) << error;
  EXPECT_EQ(comment, std::string(kMaxCommentFileBytes - 3, 'a'));
  comment = "old";
  EXPECT_FALSE(ReadCommentFile(over, &comment, &error));
  EXPECT_EQ(error, "File \"" + over + "\" too large (max=16383 bytes)!");
  EXPECT_EQ(comment, "old");
  EXPECT_FALSE(ReadCommentFile(folder.File("missing.txt"), &comment, &error));
  EXPECT_FALSE(error.empty());

  const std::string out = folder.File("out.txt");
  std::ofstream(out) << "a much longer text that must go";
  ASSERT_TRUE(WriteCommentFile(out, "line one\r\nline two", &error)) << error;
  std::ifstream in(out, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, "line one\r\nline two");  // truncated, no terminator
}

class NoTasks final : public ITaskAvailability {
 public:
  bool IsTaskLibraryLoaded(const std::string&) const override { return false; }
};

class TesteeSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    const QelDateTime born = QelDateTime::FromDate(1970, 1, 2);
    for (const char* id : {"1201", "1202", "1301", "x12"}) data.AddTestee(id, "Clinic", "First", "Doe", born, 0, 0, nullptr, {});
    data.AddTestee("12ab", "Home", "Ann", "smith", born, 1, 1, nullptr, {});
    data.AddTestee("12AC", "home", "Bob", "Smithers", born, 0, 0, nullptr, {});
  }
  static std::vector<std::string> Ids(const std::vector<CTesteeSearchRow>& rows) {
    std::vector<std::string> ids;
    for (const auto& r : rows) ids.push_back(r.id);
    return ids;
  }

  NoTasks tasks;
  CProjectData data{tasks};
};

TEST_F(TesteeSearchTest, PatternsAreLeftPartsTrimmedAndCaseAsAsked) {
  struct Case {
    const char* id;
    const char* code;
    const char* surname;
    bool ignoreCase;
    std::vector<std::string> found;
  };
  const Case cases[] = {
      {"12", "", "", false, {"1201", "1202", "12ab", "12AC"}},
      {" 12 ", "Clinic", "", false, {"1201", "1202"}},
      {"12a", "", "", false, {"12ab"}},
      {"12a", "", "", true, {"12ab", "12AC"}},
      {"", "home", "", true, {"12ab", "12AC"}},
      {"", "", "Smith", false, {"12AC"}},
      {"", "", "smith", true, {"12ab", "12AC"}},
      {"9", "", "", false, {}},
  };
  for (const Case& c : cases) {
    CTesteeSearch search({}, "");
    search.SetPatterns(c.id, c.code, c.surname, c.ignoreCase);
    EXPECT_TRUE(search.IsSearchPending());
    const auto rows = search.Search(&data);
    EXPECT_EQ(Ids(rows), c.found) << c.id << "/" << c.code << "/" << c.surname << " " << c.ignoreCase;
    EXPECT_EQ(search.FoundCount(), static_cast<int>(c.found.size()));
    EXPECT_FALSE(search.IsSearchPending());
  }
}

TEST_F(TesteeSearchTest, EnablingFollowsTheModeTheCountsAndTheProject) {
  CTesteeSearch marking({false, true, false}, "12");
  EXPECT_FALSE(marking.Enables(false).patterns);  // no project: nothing
  EXPECT_FALSE(marking.Enables(false).search);
  EXPECT_TRUE(marking.Enables(true).search);
  marking.Search(&data);
  EXPECT_EQ(marking.FoundText(), "Found 4");
  CTesteeSearchEnables e = marking.Enables(true);
  EXPECT_FALSE(e.search);
  EXPECT_FALSE(e.ok);
  EXPECT_TRUE(e.markAll);
  EXPECT_FALSE(e.unmarkAll);
  marking.SetMarkedCount(4);
  e = marking.Enables(true);
  EXPECT_TRUE(e.ok);
  EXPECT_FALSE(e.markAll);
  EXPECT_TRUE(e.unmarkAll);
  EXPECT_TRUE(e.filterMarked);
  EXPECT_EQ(marking.MarkedText(), "Marked 4");
  marking.SetMarkedCount(0);
  EXPECT_FALSE(marking.Enables(true).ok);

  CTesteeSearch one({false, false, true}, "");
  one.Search(&data);
  EXPECT_FALSE(one.Enables(true).ok);
  one.Select("1202");
  EXPECT_TRUE(one.Enables(true).ok);
  EXPECT_TRUE(one.Enables(true).filterSelected);
  one.Search(&data);  // a new search clears the selection
  EXPECT_EQ(one.Selected(), "");
}

TEST_F(TesteeSearchTest, TreeFiltersCarryThePatternsTheMarksOrTheSelection) {
  CTesteeSearch search({true, true, false}, "");
  search.SetPatterns("12", "Clinic", "", false);
  search.Search(&data);
  const CTesteeFilter& marked = search.FilterByMarked({"1201", "1202"});
  EXPECT_EQ(marked.m_testee, "12");
  EXPECT_EQ(marked.m_code, "Clinic");
  EXPECT_EQ(marked.m_ignoreCase, 1);
  EXPECT_EQ(marked.m_wholeMatch, 1);
  EXPECT_EQ(marked.m_names, (std::vector<std::string>{"1201", "1202"}));
  search.Select("1202");
  const CTesteeFilter& selected = search.FilterBySelected();
  EXPECT_EQ(selected.m_testee, "1202");
  EXPECT_EQ(selected.m_code, "");
  EXPECT_EQ(selected.m_wholeMatch, 0);
  EXPECT_TRUE(selected.m_names.empty());
}

TEST(ProjectCaption, NamesTheProjectWhenThereIsOne) {
  EXPECT_EQ(ProjectCaption(nullptr, "Models available"), "Models available");
}

}  // namespace
}  // namespace test

}  // namespace qel
