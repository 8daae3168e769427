#include "ui/ui/DlgAbout.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "ui/MainWindowRules.h"
#include "ui/ui/DlgHelp.h"

namespace qel {

namespace {
constexpr int kMargin = 8;
constexpr int kWidth = 680;
constexpr int kHeight = 520;
}  // namespace

CDlgAbout::CDlgAbout(wxWindow* parent)
    : wxDialog(parent, kTemplateId, "About Qel Task Battery", wxDefaultPosition, wxSize(kWidth, kHeight),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_versionText(std::string("Version ") + kVersion),
      m_cfrText(kCfrMode ? " (21CFR part11)" : "") {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* head = new wxBoxSizer(wxHORIZONTAL);
  head->Add(new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX)), 0,
            wxALL, kMargin);
  auto* texts = new wxBoxSizer(wxVERTICAL);
  auto* name = new wxStaticText(this, wxID_ANY, "Qel Task Battery");
  name->SetFont(name->GetFont().Bold().Scaled(1.3f));
  texts->Add(name, 0, wxBOTTOM, kMargin / 2);
  texts->Add(new wxStaticText(this, kIdVersion, wxString::FromUTF8(m_versionText)));
  texts->Add(new wxStaticText(this, kIdFurther, ""));
  texts->Add(new wxStaticText(this, kIdCfr, wxString::FromUTF8(m_cfrText)));
  head->Add(texts, 1, wxALL, kMargin);
  sizer->Add(head, 0, wxEXPAND);

  m_pTabs = new wxNotebook(this, kIdTabs);
  for (int i = 0; i < kAboutPages; ++i) {
    auto* view = new CRichTextView(m_pTabs, kPageTextIds[i]);
    view->SetRtf(LoadProgramText(static_cast<unsigned>(AboutPageText(i, g_Language))));
    m_pages[static_cast<size_t>(i)] = view;
    m_pTabs->AddPage(view, AboutPageCaption(i), i == 0);
  }
  sizer->Add(m_pTabs, 1, wxEXPAND | wxLEFT | wxRIGHT, kMargin);
  sizer->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALIGN_RIGHT | wxALL, kMargin);
  SetSizer(sizer);
  SetSize(kWidth, kHeight);
  Layout();
  CentreOnParent();
}

}  // namespace qel
