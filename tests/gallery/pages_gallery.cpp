// The main view's pages, each on a small clinic project with a user of
// type 1 logged in.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "project/tests/CacheTestSupport.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/DlgTabTestee.h"
#include "ui/ui/PageServices.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

using namespace test;

namespace {

struct PagesProject final : IDocProject {
  void SetPath(const std::string&) override {}
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return "/home/clinic/Study.qdb"; }
  std::string GetName() const override { return "Study"; }
  bool IsOpen() const override { return true; }
  bool IsOpenCfr() const override { return true; }
  int GetVersionNumber() const override { return 4; }
  int GetLastOpenResult() const override { return 0; }
};

// Lists the project; its dialogs are not opened in the gallery.
struct PagesServices final : IPageServices {
  const CProjectData* GetProjectData() override { return data; }
  bool EditTesteeCode(wxWindow*, std::string*, bool*) override { return false; }
  bool EditTestee(wxWindow*, std::string*, bool*, bool*) override { return false; }
  bool SearchTestee(wxWindow*, CListCtrlQel*, std::string*) override { return false; }
  void ShowTesteeHistory(wxWindow*) override {}
  void ShowTesteeChanges(wxWindow*, const std::string&) override {}
  const CProjectData* data = nullptr;
};

class PagesClinic {
 public:
  PagesClinic() {
    const QelDateTime birth = Day(1970, 6, 15);
    data.AddTestee("P-0001", "Clinic", "Anna", "Smith", birth, 0, 1, "nurse", Day(2024, 1, 2, 9, 30));
    data.AddTestee("P-0002", "Clinic", "Ben", "Jones", Day(1958, 2, 1), 1, 0, "nurse", Day(2024, 1, 3, 10, 0));
    data.AddTestee("P-0003", "Ward 3", "Clara", "Meyer", Day(1988, 11, 30), 2, 1, "doctor", Day(2024, 1, 4, 11, 15));
    data.AddTesteeCode("Clinic", "Outpatients", "admin", Day(2024, 1, 1));
    data.AddTesteeCode("Ward 3", "Neurology ward", "admin", Day(2024, 1, 1));
    data.AddTesteeChange("P-0001", Day(1970, 6, 16), 1, "nurse", Day(2024, 1, 2, 9, 0));
    services.data = &data;
    SetPageServices(&services);
    g_LoggedUser.m_id = "admin";
    g_LoggedUser.m_type = 1;
  }
  ~PagesClinic() {
    SetPageServices(nullptr);
    LogoutCurrentUser();
  }

  FakeLoadedTasks tasks{{"TP", "FL"}};
  CProjectData data{tasks};
  PagesProject project;
  PagesServices services;
};

class GalleryTesteePage : public CDlgTabTestee {
 public:
  void UseProject(IDocProject* project) { m_pProject = project; }
};

constexpr int kSelectedTestee = 323;

}  // namespace

TEST(PagesGallery, TesteesPage) {
  PagesClinic clinic;
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Testees", wxDefaultPosition, wxSize(820, 540));
  auto* page = new GalleryTesteePage;
  page->UseProject(&clinic.project);
  ASSERT_TRUE(page->CreatePage(frame));
  page->GetTesteeList()->SelectRow(0);
  SendNotify(page, kSelectedTestee, 0);
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_testees"), "page_testees");
  page->UseProject(nullptr);
  frame->Destroy();
  Pump(30);
}

}  // namespace qel
