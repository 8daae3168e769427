// The steps of the road that concern the operator, the project and its
// testees: the first start, the project, the testees, the restart and the
// project's password and conversion.
#include "app/tests/road/RoadSteps.h"
#include "ui/ui/DlgTabProject.h"
#include "ui/ui/ProjectsPageServices.h"

namespace qel::road {

namespace {

// A field of the project dialog and what the operator types into it.
struct DialogField {
  int id;
  const char* name;
  std::string text;
};

// The operator fills the project dialog's fields, presses OK, acknowledges
// the messages the program answers with, one by one, and waits until the
// dialog is gone.
void FillProjectDialog(Operator& op, const XTopWindow& dialog, const std::vector<DialogField>& fields,
                       const std::vector<const char*>& messages) {
  for (const DialogField& field : fields) op.TypeInto(field.id, field.name, field.text);
  op.Click(wxID_OK, "OK");
  for (const char* message : messages) op.AcknowledgeMessage(message);
  op.WaitGone(dialog);
}

// A command of the main window's Project menu, by its key.
void ProjectMenuCommand(Operator& op, const char* key) {
  op.PressWith("Alt_L", "p");
  op.PressKey(key);
  op.WaitMenusClosed();
}

}  // namespace

// Step 1: the first start on a fresh workstation. The program warns of the
// missing norms file, then asks for a login; nobody is registered yet, so
// the operator registers and is logged in: the main window shows the user.
void RegisterAndLogIn(Operator& op) {
  op.SetStep("1 first start: register and log in");
  op.SetWindow("norms warning");
  op.AcknowledgeMessage("missing norms file");
  op.WaitWindow(kLoginTitle);
  op.Click(CDlgUser::kIdRegisterRadio, "Register");
  op.WaitWindow(kRegisterTitle);
  op.TypeInto(CDlgUser::kIdUserId, "User Id", kUserId);
  op.TypeInto(CDlgUser::kIdNewPassword, "New Password", kUserPassword);
  op.TypeInto(CDlgUser::kIdConfirmation, "Confirm new password", kUserPassword);
  op.TypeInto(CDlgUser::kIdFirstName, "User First Name", kFirstName);
  op.TypeInto(CDlgUser::kIdSurname, "User Surname", kSurname);
  const XTopWindow dialog = op.WaitWindow(kRegisterTitle);
  op.Click(CDlgUser::kIdSave, "Save");
  op.AcknowledgeMessage("user registered");
  op.WaitGone(dialog);
  op.WaitWindow(kFrameTitle);
  const std::string shown = op.ControlText(kFrameTitle, ById(kIdLoggedUser));
  if (shown != kUserId) op.Fail("the main window shows the user \"" + shown + "\", not \"" + kUserId + "\"");
}

// Step 2: a CFR project with a password, made through the project menu's
// New command and the project dialog.
void CreateCfrProject(Operator& op, const std::string& path) {
  op.SetStep("2 create a CFR project with a password");
  op.WaitWindow(kFrameTitle);
  ProjectMenuCommand(op, "n");
  FillProjectDialog(op, op.WaitWindow(kCreateProjectTitle),
                    {{CDlgProject::kIdNewPath, "File path", path},
                     {CDlgProject::kIdNewPassword, "Password", kProjectPassword},
                     {CDlgProject::kIdConfirmation, "Confirm new password", kProjectPassword},
                     {CDlgProject::kIdInstitute, "Department/Institute", kInstitute}},
                    {"project created"});
}

// The project just made becomes the working project: the main view's
// browse button opens the project dialog, where the operator types the
// path and the password.
void OpenWorkingProject(Operator& op, const std::string& path, const std::string& step,
                        const std::string& password,
                        const std::string& expectedCaption) {
  op.SetStep(step);
  op.WaitWindow(kFrameTitle);
  op.Click(kIdBrowseProject, "... (project file path)");
  FillProjectDialog(op, op.WaitWindow(kOpenProjectTitle),
                    {{CDlgProject::kIdPath, "File path", path}, {CDlgProject::kIdPassword, "Password", password}}, {});
  op.WaitWindow(kFrameTitle);
  const std::string caption = op.ControlText(kFrameTitle, ById(kIdWorkingProject));
  if (caption != expectedCaption) op.Fail("the main view's caption is \"" + caption + "\"");
}

// Step 3: on the Testees page the operator adds a testee code and two
// testees of that code, one with a quote in its Id.
void AddTesteeCodeAndTestees(Operator& op) {
  op.SetStep("3 testee code and testees on the Testees page");
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Testees tab", TabOf(kTesteesPage));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        auto* tabs = wxDynamicCast(top->FindWindow(kIdTabs), wxNotebook);
        return tabs && tabs->GetSelection() == kTesteesPage;
      },
      "the Testees page to show");

  op.Click(OnPage(kTesteesPage, CDlgTabTestee::kIdCodeNew), "New (testee code)");
  XTopWindow dialog = op.WaitWindow(kNewCodeTitle);
  op.TypeInto(CDlgTesteeCode::kIdCode, "Testee code", kCode);
  op.TypeInto(CDlgTesteeCode::kIdLabel, "Label", kCodeLabel);
  op.Click(wxID_OK, "Save");
  op.WaitGone(dialog);
  op.WaitWindow(kFrameTitle);
  op.WaitProgram([](wxTopLevelWindow* top) { return Holds(ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdCodes)(top)), kCode); },
                 "the codes list to show the code");

  for (const char* id : kTestees) {
    op.SetWindow(kFrameTitle);
    op.Click(OnPage(kTesteesPage, CDlgTabTestee::kIdTesteeNew), "New (testee)");
    dialog = op.WaitWindow(kNewTesteeTitle);
    // The code first: the list comes with the default code chosen.
    op.Click(ById(CDlgTestee::kIdCodes), "Testee code list", RowOf(0));
    op.WaitProgram(
        [](wxTopLevelWindow* top) {
          auto* codes = wxDynamicCast(top->FindWindow(CDlgTestee::kIdCodes), wxListCtrl);
          const long row = codes ? codes->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) : -1;
          return row >= 0 && codes->GetItemText(row, kCodeColumn) == kCode;
        },
        "the code \"" + std::string(kCode) + "\" to be chosen");
    op.TypeInto(CDlgTestee::kIdTestee, "Testee Id", id);
    op.TypeInto(CDlgTestee::kIdFirstName, "First name", kTesteeFirstName);
    op.TypeInto(CDlgTestee::kIdSurname, "Surname", kTesteeSurname);
    op.TypeInto(TextInside(CDlgTestee::kIdBirthDate), "Birth date", kBirthDate);
    op.WaitProgram(
        [](wxTopLevelWindow* top) {
          auto* date = wxDynamicCast(top->FindWindow(CDlgTestee::kIdBirthDate), wxDatePickerCtrl);
          return date && date->GetValue().IsValid();
        },
        "the birth date to be taken");
    ChooseFirst(op, CDlgTestee::kIdPreference, "Preference");
    ChooseFirst(op, CDlgTestee::kIdSex, "Sex");
    op.Click(wxID_OK, "Save");
    op.WaitGone(dialog);
    op.WaitWindow(kFrameTitle);
    const std::string shown = id;
    op.WaitProgram(
        [shown](wxTopLevelWindow* top) {
          return Holds(ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdTestees)(top)), shown);
        },
        "the testees list to show \"" + shown + "\"");
  }
}

// The operator ends the program with File > Exit.
void ExitProgram(Operator& op) {
  op.SetStep("close the program");
  const XTopWindow frame = op.WaitWindow(kFrameTitle);
  op.PressWith("Alt_L", "f");
  op.PressKey("x");
  op.WaitMenusClosed();
  op.WaitGone(frame);
}

// Step 6: the program started again: the registered user logs in.
void LogInAgain(Operator& op) {
  op.SetStep("6 start again and log in");
  op.SetWindow("norms warning");
  op.AcknowledgeMessage("missing norms file");
  const XTopWindow dialog = op.WaitWindow(kLoginTitle);
  op.TypeInto(CDlgUser::kIdUserId, "User Id", kUserId);
  op.TypeInto(CDlgUser::kIdPassword, "User password", kUserPassword);
  op.Click(wxID_OK, "OK");
  op.WaitGone(dialog);
  op.WaitWindow(kFrameTitle);
  const std::string shown = op.ControlText(kFrameTitle, ById(kIdLoggedUser));
  if (shown != kUserId) op.Fail("the main window shows the user \"" + shown + "\", not \"" + kUserId + "\"");
}

// After the restart the project opened with its password shows the testee
// code and both testees on the Testees page.
void FindTesteesAgain(Operator& op) {
  op.SetStep("6 the testees are there after the restart");
  op.WaitWindow(kFrameTitle);
  op.Click(ById(kIdTabs), "Testees tab", TabOf(kTesteesPage));
  op.WaitProgram(
      [](wxTopLevelWindow* top) {
        const std::vector<std::string> codes = ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdCodes)(top));
        const std::vector<std::string> testees = ListRows(OnPage(kTesteesPage, CDlgTabTestee::kIdTestees)(top));
        return Holds(codes, kCode) && std::all_of(std::begin(kTestees), std::end(kTestees),
                                                  [&](const char* id) { return Holds(testees, id); });
      },
      "the Testees page to list the code and both testees");
}

// Step 7: the working project's password changed through the project
// menu's Password command; the dialog comes with the file and its password.
void ChangeProjectPassword(Operator& op) {
  op.SetStep("7 change the project's password");
  op.WaitWindow(kFrameTitle);
  ProjectMenuCommand(op, "w");
  FillProjectDialog(op, op.WaitWindow(kPasswordTitle),
                    {{CDlgProject::kIdPassword, "Password", kProjectPassword},
                     {CDlgProject::kIdNewPassword, "New password", kNewProjectPassword},
                     {CDlgProject::kIdConfirmation, "Confirm new password", kNewProjectPassword}},
                    {"password changed"});
}

// Step 7: a plain project, made before this workstation's users existed,
// opened as the working project and converted to a CFR project through
// the project menu's Convert command.
void ConvertPlainProject(Operator& op, const std::string& plain, const std::string& converted) {
  OpenWorkingProject(op, plain, "7 open a plain project", kPlainPassword, kPlainWorkingProject);
  op.SetStep("7 convert the plain project to CFR");
  ProjectMenuCommand(op, "c");
  FillProjectDialog(op, op.WaitWindow(kConvertTitle),
                    {{CDlgProject::kIdPassword, "Password", kPlainPassword},
                     {CDlgProject::kIdNewPath, "New file path", converted},
                     {CDlgProject::kIdNewPassword, "New password", kProjectPassword},
                     {CDlgProject::kIdConfirmation, "Confirm new password", kProjectPassword}},
                    {"project converted"});
}

// Step 7: the converted copy compacted into a new file, under a new
// password. The program offers compaction on no menu and no page (the
// Projects page's Compact button stays hidden), so the road opens the
// project dialog for the file as that button would; the operator works it.
void CompactConvertedProject(Operator& op, const std::string& converted, const std::string& compacted) {
  op.SetStep("7 compact the converted project under a new password");
  op.WaitWindow(kFrameTitle);
  op.OnMain([converted] {
    wxTheApp->CallAfter([converted] {
      if (IProjectsPageServices* services = GetProjectsPageServices()) {
        services->RunProjectDialog(converted, kProjectCompact);
      }
    });
    return true;
  });
  // The caption names the project once its file is read.
  std::string title;
  op.WaitUntil(
      [&] {
        title = op.OnMain([] {
          for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<CDlgProject*>(window);
            const std::string caption = dialog && dialog->IsShown() ? dialog->GetTitle().utf8_string() : "";
            if (caption.find(kCompactTitle) != std::string::npos) return caption;
          }
          return std::string();
        });
        return !title.empty();
      },
      "the project dialog to compact the project");
  FillProjectDialog(op, op.WaitWindow(title),
                    {{CDlgProject::kIdPassword, "Password", kProjectPassword},
                     {CDlgProject::kIdNewPath, "New file path", compacted},
                     {CDlgProject::kIdNewPassword, "New password", kNewProjectPassword},
                     {CDlgProject::kIdConfirmation, "Confirm new password", kNewProjectPassword}},
                    {"project compacted", "password of the compacted project changed"});
}

}  // namespace qel::road
