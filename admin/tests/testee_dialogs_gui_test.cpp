// The testee and testee code dialogs under the X server, driven through
// their modes with the validation texts as tables of cases.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/textctrl.h>

#include <fstream>
#include <memory>

#include "admin/tests/AdminTestProject.h"
#include "admin/ui/DlgTestee.h"
#include "admin/ui/DlgTesteeCode.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

namespace test {
namespace {

void Type(wxWindow* dialog, int id, const char* text) {
  auto* edit = FindControl<wxTextCtrl>(dialog, id);
  ASSERT_NE(edit, nullptr) << id;
  edit->SetValue(wxString::FromUTF8(text));  // as typed: the change event follows
}

void SetDate(wxWindow* dialog, const wxDateTime& date) {
  auto* picker = FindControl<wxDatePickerCtrl>(dialog, CDlgTestee::kIdBirthDate);
  picker->SetValue(date);
  wxDateEvent event(picker, date, wxEVT_DATE_CHANGED);
  picker->GetEventHandler()->ProcessEvent(event);
}

void Press(wxWindow* dialog, int id) {
  wxWindow* button = dialog->FindWindow(id);
  ASSERT_NE(button, nullptr) << id;
  SendControlEvent(button, wxEVT_BUTTON, 0);
}

bool Editable(wxWindow* dialog, int id) {
  auto* edit = FindControl<wxTextCtrl>(dialog, id);
  return edit->IsEnabled() && edit->IsEditable();
}

class TesteeDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    m_project.m_data.AddTesteeCode("Default", nullptr, "Everyone", {});
    m_project.m_data.AddTesteeCode("Clinic", nullptr, "Outpatients", {});
  }
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    Pump(20);
  }

  CDlgTestee* Open(RecordMode mode, const CTesteeInfo& record) {
    m_dialog = new CDlgTestee(nullptr, &m_project, mode, record);
    m_dialog->Show();
    Pump(30);
    return m_dialog;
  }

  // A new testee with every field but those the case leaves out.
  void FillNew(bool id, bool first, bool surname, bool date, bool preference, bool sex) {
    if (id) Type(m_dialog, CDlgTestee::kIdTestee, " T01 ");
    if (first) Type(m_dialog, CDlgTestee::kIdFirstName, "Ann");
    if (surname) Type(m_dialog, CDlgTestee::kIdSurname, "O'Neil");
    if (date) SetDate(m_dialog, wxDateTime(17, wxDateTime::May, 1980));
    if (preference) Select(FindControl<wxComboBox>(m_dialog, CDlgTestee::kIdPreference), 1);
    if (sex) Select(FindControl<wxComboBox>(m_dialog, CDlgTestee::kIdSex), 1);
    Pump(20);
  }

  PromptRecorder m_messages{kAnswerCancel};
  AdminTestProject m_project;
  CDlgTestee* m_dialog = nullptr;
};

TEST_F(TesteeDialogTest, ANewTesteeIsSavedOnlyWhenEveryFieldIsFilled) {
  struct Case {
    const char* missing;
    bool id, first, surname, date, preference, sex;
  };
  const Case cases[] = {
      {"Id", false, true, true, true, true, true},         {"first name", true, false, true, true, true, true},
      {"surname", true, true, false, true, true, true},    {"birth date", true, true, true, false, true, true},
      {"preference", true, true, true, true, false, true}, {"sex", true, true, true, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    PromptRecorder m_messages(kAnswerCancel);
    Open(RecordMode::kNew, NewTesteeRecord());
    FillNew(c.id, c.first, c.surname, c.date, c.preference, c.sex);
    EXPECT_EQ(m_dialog->GetTitle(), "New Testee data - NOT COMPLETED!");
    EXPECT_TRUE(m_dialog->FindWindow(wxID_OK)->IsShown());
    EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsEnabled());
    Press(m_dialog, wxID_OK);  // the Enter key reaches it all the same
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].text, "Empty fields must be filled!");
    EXPECT_EQ(m_messages.Shown()[0].style & 0xF0, static_cast<unsigned>(kPromptIconStop));
    EXPECT_TRUE(m_dialog->IsShown());
    m_dialog->Destroy();
    m_dialog = nullptr;
    Pump(20);
  }
}

TEST_F(TesteeDialogTest, ACompleteNewTesteeIsCollectedTrimmed) {
  Open(RecordMode::kNew, NewTesteeRecord());
  EXPECT_TRUE(m_dialog->FindWindow(CDlgTestee::kIdNotice)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTestee::kIdChanges)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsShown());  // nothing changed yet
  EXPECT_EQ(FindControl<wxComboBox>(m_dialog, CDlgTestee::kIdPreference)->GetCount(), 2u);  // "A" is not offered
  FillNew(true, true, true, true, true, true);
  auto* codes = FindControl<CListCtrlQel>(m_dialog, CDlgTestee::kIdCodes);
  codes->SelectRowByKey("Clinic");
  Pump(30);
  EXPECT_EQ(m_dialog->GetTitle(), "New Testee data");
  ASSERT_TRUE(m_dialog->FindWindow(wxID_OK)->IsEnabled());
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_dialog->GetReturnCode(), wxID_OK);
  const CTesteeInfo& t = m_dialog->Record();
  EXPECT_EQ(t.m_testee, "T01");
  EXPECT_EQ(t.m_code, "Clinic");
  EXPECT_EQ(t.m_surname, "O'Neil");
  EXPECT_EQ(t.m_preference, 1);
  EXPECT_EQ(t.m_sex, 1);
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(t.m_dateBirth.Split(&y, &m, &d));
  EXPECT_EQ(y * 10000 + m * 100 + d, 19800517);
  EXPECT_TRUE(m_messages.Shown().empty());
}

CTesteeInfo Stored() {
  CTesteeInfo t;
  t.m_testee = "T07";
  t.m_code = "Clinic";
  t.m_firstName = "Ben";
  t.m_surname = "Jones";
  t.m_dateBirth = QelDateTime::FromDate(1975, 3, 2);
  t.m_preference = 2;  // "A": shown by the lists, not offered here
  t.m_sex = 0;
  t.m_comment = "first visit";
  return t;
}

TEST_F(TesteeDialogTest, AnEditedTesteeChangesOnlyBirthDatePreferenceAndComment) {
  Open(RecordMode::kEdit, Stored());
  EXPECT_EQ(m_dialog->GetTitle(), "Edit Testee data");
  EXPECT_FALSE(Editable(m_dialog, CDlgTestee::kIdTestee));
  EXPECT_FALSE(Editable(m_dialog, CDlgTestee::kIdFirstName));
  EXPECT_FALSE(Editable(m_dialog, CDlgTestee::kIdSurname));
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTestee::kIdCodes)->IsEnabled());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTestee::kIdSex)->IsEnabled());
  EXPECT_TRUE(m_dialog->FindWindow(CDlgTestee::kIdBirthDate)->IsEnabled());
  EXPECT_TRUE(m_dialog->FindWindow(CDlgTestee::kIdPreference)->IsEnabled());
  EXPECT_TRUE(Editable(m_dialog, CDlgTestee::kIdComment));
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTestee::kIdNotice)->IsShown());
  Select(FindControl<wxComboBox>(m_dialog, CDlgTestee::kIdPreference), 0);
  Type(m_dialog, CDlgTestee::kIdComment, "second visit ");
  Pump(20);
  ASSERT_TRUE(m_dialog->FindWindow(wxID_OK)->IsEnabled());
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_dialog->GetReturnCode(), wxID_OK);
  EXPECT_EQ(m_dialog->Record().m_preference, 0);
  EXPECT_EQ(m_dialog->Record().m_comment, "second visit");
  EXPECT_EQ(m_dialog->Record().m_code, "Clinic");
}

TEST_F(TesteeDialogTest, AViewedTesteeIsReadOnlyAndOffersItsChanges) {
  m_project.m_data.AddTestee("T07", "Clinic", "Ben", "Jones", QelDateTime::FromDate(1975, 3, 2), 2, 0, nullptr, {});
  m_project.m_data.AddTesteeChange("T07", QelDateTime::FromDate(1975, 3, 1), 0, "admin", QelDateTime::FromDate(2024, 1, 1));
  std::string opened;
  Open(RecordMode::kView, Stored());
  m_dialog->SetChangesOpener([&](wxWindow*, const std::string& testee) { opened = testee; });
  EXPECT_EQ(m_dialog->GetTitle(), "View Testee data");
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsShown());
  EXPECT_FALSE(Editable(m_dialog, CDlgTestee::kIdComment));
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTestee::kIdBirthDate)->IsEnabled());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTestee::kIdGetComment)->IsShown());
  ASSERT_TRUE(m_dialog->FindWindow(CDlgTestee::kIdChanges)->IsShown());
  ASSERT_TRUE(m_dialog->FindWindow(CDlgTestee::kIdChanges)->IsEnabled());
  Press(m_dialog, CDlgTestee::kIdChanges);
  EXPECT_EQ(opened, "T07");
}

TEST_F(TesteeDialogTest, AProjectWithoutTesteeCodesOffersNoEditableField) {
  AdminTestProject empty;
  m_dialog = new CDlgTestee(nullptr, &empty, RecordMode::kNew, NewTesteeRecord());
  m_dialog->Show();
  Pump(20);
  for (int id : {CDlgTestee::kIdTestee, CDlgTestee::kIdFirstName, CDlgTestee::kIdSurname, CDlgTestee::kIdComment})
    EXPECT_FALSE(Editable(m_dialog, id)) << id;
  for (int id : {CDlgTestee::kIdCodes, CDlgTestee::kIdBirthDate, CDlgTestee::kIdPreference, CDlgTestee::kIdSex})
    EXPECT_FALSE(m_dialog->FindWindow(id)->IsEnabled()) << id;
}

TEST_F(TesteeDialogTest, ClosingAModifiedTesteeAsksAndEachAnswerDoesItsPart) {
  struct Case {
    int answer;
    bool complete;
    bool stillOpen;
    int code;
  };
  const Case cases[] = {
      {kAnswerCancel, true, true, 0},   {kAnswerNo, true, false, wxID_CANCEL},
      {kAnswerYes, true, false, wxID_OK}, {kAnswerYes, false, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer * 10 + c.complete);
    PromptRecorder answers(c.answer);
    Open(RecordMode::kEdit, Stored());
    m_dialog->SetReturnCode(0);
    if (c.complete) {
      Select(FindControl<wxComboBox>(m_dialog, CDlgTestee::kIdPreference), 1);
    } else {
      SetDate(m_dialog, wxInvalidDateTime);
    }
    Pump(20);
    Press(m_dialog, wxID_CANCEL);
    ASSERT_GE(answers.Shown().size(), 1u);
    EXPECT_EQ(answers.Shown()[0].text, c.complete ? "Apply changes of the testee \"T07\" data?"
                                                  : "Complete changes of the testee \"T07\" data?");
    EXPECT_EQ(answers.Shown()[0].style, kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3);
    EXPECT_EQ(m_dialog->IsShown(), c.stillOpen);
    EXPECT_EQ(m_dialog->GetReturnCode(), c.code);
    m_dialog->Destroy();
    m_dialog = nullptr;
    Pump(20);
  }
  // Unchanged: closes at once without asking.
  PromptRecorder none;
  Open(RecordMode::kEdit, Stored());
  Press(m_dialog, wxID_CANCEL);
  EXPECT_TRUE(none.Shown().empty());
  EXPECT_FALSE(m_dialog->IsShown());
}

TEST_F(TesteeDialogTest, CommentFilesOfTheLimitAreReadLargerOnesRefused) {
  TempFolder folder;
  const std::string fits = folder.File("fits.txt");
  const std::string over = folder.File("over.txt");
  std::ofstream(fits, std::ios::binary) << std::string(16383, 'c');
  std::ofstream(over, std::ios::binary) << std::string(16384, 'd');
  Open(RecordMode::kEdit, Stored());
  std::string answer = over;
  std::string offered;
  m_dialog->SetFileChooser([&](wxWindow*, bool, const std::string& name) {
    offered = name;
    return answer;
  });
  Press(m_dialog, CDlgTestee::kIdGetComment);
  EXPECT_EQ(offered, "TesteeComment_T07");
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].text, "File \"" + over + "\" too large (max=16383 bytes)!");
  EXPECT_EQ(m_dialog->Record().m_comment, "first visit");
  answer = fits;
  Press(m_dialog, CDlgTestee::kIdGetComment);
  EXPECT_EQ(m_dialog->Record().m_comment, std::string(16383, 'c'));
  EXPECT_EQ(FindControl<wxTextCtrl>(m_dialog, CDlgTestee::kIdComment)->GetValue().size(), 16383u);
  EXPECT_TRUE(m_dialog->FindWindow(wxID_OK)->IsShown());

  answer = folder.File("out.txt");
  Press(m_dialog, CDlgTestee::kIdPutComment);
  std::ifstream in(answer, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, std::string(16383, 'c'));
}

class TesteeCodeDialogTest : public testing::Test {
 protected:
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    Pump(20);
  }
  PromptRecorder m_messages{kAnswerCancel};
  CDlgTesteeCode* m_dialog = nullptr;
};

TEST_F(TesteeCodeDialogTest, ABlankCodeIsRefusedAndAFilledOneCollected) {
  m_dialog = new CDlgTesteeCode(nullptr, RecordMode::kNew, CTesteeCodeInfo());
  m_dialog->Show();
  Pump(20);
  EXPECT_EQ(m_dialog->GetTitle(), "New Testee code data");
  Type(m_dialog, CDlgTesteeCode::kIdCode, "   ");
  Type(m_dialog, CDlgTesteeCode::kIdLabel, " Outpatients ");
  Pump(20);
  EXPECT_TRUE(m_dialog->FindWindow(wxID_OK)->IsEnabled());  // blanks are text until saved
  Press(m_dialog, wxID_OK);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].text, "Empty fields must be filled!");
  EXPECT_EQ(m_dialog->GetTitle(), "New Testee code data - NOT COMPLETED!");
  EXPECT_TRUE(m_dialog->IsShown());

  Type(m_dialog, CDlgTesteeCode::kIdCode, "Clinic");
  Press(m_dialog, wxID_OK);
  EXPECT_EQ(m_dialog->GetReturnCode(), wxID_OK);
  EXPECT_EQ(m_dialog->Record().m_code, "Clinic");
  EXPECT_EQ(m_dialog->Record().m_description, "Outpatients");
}

TEST_F(TesteeCodeDialogTest, AViewedCodeIsReadOnlyWithoutSave) {
  CTesteeCodeInfo info;
  info.m_code = "Clinic";
  info.m_description = "Outpatients";
  info.m_comment = "since 2020";
  m_dialog = new CDlgTesteeCode(nullptr, RecordMode::kView, info);
  m_dialog->Show();
  Pump(20);
  EXPECT_EQ(m_dialog->GetTitle(), "View Testee code data");
  for (int id : {CDlgTesteeCode::kIdCode, CDlgTesteeCode::kIdLabel, CDlgTesteeCode::kIdComment})
    EXPECT_FALSE(Editable(m_dialog, id)) << id;
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTesteeCode::kIdGetComment)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgTesteeCode::kIdNotice)->IsShown());
  EXPECT_EQ(FindControl<wxTextCtrl>(m_dialog, CDlgTesteeCode::kIdComment)->GetValue(), "since 2020");
  Press(m_dialog, wxID_CANCEL);
  EXPECT_TRUE(m_messages.Shown().empty());
  EXPECT_FALSE(m_dialog->IsShown());
}

}  // namespace
}  // namespace test

}  // namespace qel
