// The main view's Data, Export and Import pages on a small clinic project
// (plain, with the Tapping plug-in and stored runs), a user of type 1
// logged in.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/tests/DataProjectSupport.h"
#include "ui/ui/DataPageServices.h"
#include "ui/ui/DlgTabData.h"
#include "ui/ui/DlgTabExport.h"
#include "ui/ui/DlgTabImport.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

using namespace test;

namespace {

struct GalleryProject final : IDocProject {
  explicit GalleryProject(CQelProject& p) : project(p) {}
  void SetPath(const std::string&) override {}
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return project.GetPath(); }
  std::string GetName() const override { return project.GetName(); }
  bool IsOpen() const override { return project.IsOpen(); }
  bool IsOpenCfr() const override { return project.IsOpenCfr(); }
  int GetVersionNumber() const override { return project.GetVersionNumber(); }
  int GetLastOpenResult() const override { return 0; }
  CQelProject& project;
};

// Lists the project; its dialogs are not opened in the gallery.
struct GalleryServices final : IDataPageServices {
  const CProjectData* GetProjectData() override { return project; }
  IAdminProject* GetProject() override { return nullptr; }
  void ShowSavedScore(wxWindow*, const DataPageScore&) override {}
  bool SearchTestee(wxWindow*, IAdminProject*, CListCtrlQel*, const CTesteeSearchOptions&, std::string*) override {
    return false;
  }
  void ShowAssessments(wxWindow*, const DataPageScore&) override {}
  void ShowScoreHistory(wxWindow*, const DataPageScore&) override {}
  bool ExportRawResponses(const std::string&, const DataPageScore&) override { return false; }
  bool ExportScores(wxWindow*, const std::vector<std::string>&, const std::string&, const std::string&,
                    ScoreExportSettings*) override {
    return false;
  }
  CQelProject* project = nullptr;
};

// The clinic: three testees, Tapping runs of two of them.
class DataClinic {
 public:
  DataClinic() {
    data = std::make_unique<DataProject>(dir.File("Clinic.qep"), false, tapping.Code());
    if (!data->Ok()) return;
    const CUserRecord& anna = data->Anna();
    data->Store("T01", 1, 1, {{1, 312, 1, 1}, {1, 298, 1, 1}}, anna, QelDateTime::FromDate(2024, 3, 4, 9, 15, 0));
    data->Store("T01", 2, 1, {{1, 305, 1, 1}}, anna, QelDateTime::FromDate(2024, 4, 8, 10, 0, 0));
    data->Store("T02", 1, 1, {{1, 341, 2, 1}}, anna, QelDateTime::FromDate(2024, 3, 5, 14, 30, 0));
    project = std::make_unique<GalleryProject>(data->Project());
    services.project = &data->Project();
    SetDataPageServices(&services);
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = 1;
  }
  ~DataClinic() {
    SetDataPageServices(nullptr);
    LogoutCurrentUser();
  }
  bool Ok() const { return tapping.Loaded() && data && data->Ok(); }

  TappingLoaded tapping;
  TempFolder dir;
  std::unique_ptr<DataProject> data;
  std::unique_ptr<GalleryProject> project;
  GalleryServices services;
};

template <class Page>
class GalleryPage : public Page {
 public:
  void UseProject(IDocProject* project) { this->m_pProject = project; }
};

constexpr int kScoreSelected = 328;

}  // namespace

TEST(DataGallery, DataPage) {
  DataClinic clinic;
  ASSERT_TRUE(clinic.Ok());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Data", wxDefaultPosition, wxSize(900, 540));
  auto* page = new GalleryPage<CDlgTabData>;
  page->UseProject(clinic.project.get());
  ASSERT_TRUE(page->CreatePage(frame));
  page->GetScoreList()->SelectRow(0);
  SendNotify(page, kScoreSelected, 0);
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_data"), "page_data");
  // The selected score's raw data go to a file the operator names.
  ExpectDrawn(SnapModal("Export raw data", "file_export_raw", [page] { page->ExportRawData(); }), "raw data file");
  page->UseProject(nullptr);
  frame->Destroy();
  Pump(30);
}

TEST(DataGallery, ExportPage) {
  DataClinic clinic;
  ASSERT_TRUE(clinic.Ok());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Export", wxDefaultPosition, wxSize(900, 460));
  auto* page = new GalleryPage<CDlgTabExport>;
  page->UseProject(clinic.project.get());
  ASSERT_TRUE(page->CreatePage(frame));
  page->SelectAll();
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_export"), "page_export");
  page->UseProject(nullptr);
  frame->Destroy();
  Pump(30);
}

TEST(DataGallery, ImportPage) {
  DataClinic clinic;
  ASSERT_TRUE(clinic.Ok());
  // As the program shows it: no source project is chosen, so the lists are empty.
  auto* frame = new wxFrame(nullptr, wxID_ANY, "Import", wxDefaultPosition, wxSize(900, 540));
  auto* page = new GalleryPage<CDlgTabImport>;
  page->UseProject(clinic.project.get());
  ASSERT_TRUE(page->CreatePage(frame));
  page->Refresh();
  frame->Show();
  Pump(50);
  ExpectDrawn(Snap(frame, "page_import"), "page_import");
  page->UseProject(nullptr);
  frame->Destroy();
  Pump(30);
}

}  // namespace qel
