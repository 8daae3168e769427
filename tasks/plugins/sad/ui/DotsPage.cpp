#include "tasks/plugins/sad/ui/DotsPage.h"

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>

#include "display/image/ImageDecoder.h"
#include "include/qel/Resources.h"

namespace qel {

namespace {

// An ICON resource of the plug-in as a bitmap; an empty one when missing.
wxBitmap IconBitmap(unsigned id) {
  const QelResource* res = QelFindResource(QelGetResourceModule(), "ICON", id);
  QelImage image;
  if (!res || QelDecodeImage(res->data, res->size, image) != QelImageStatus::kOk) return wxBitmap();
  wxImage picture(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const uint32_t p = image.Pixel(x, y);
      picture.SetRGB(x, y, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
  }
  return wxBitmap(picture);
}

}  // namespace

bool CTaskPageDots::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);

  auto* dots = new wxStaticBoxSizer(wxVERTICAL, panel, "Number of dots");
  dots->GetStaticBox()->SetId(kIdDotsGroup);
  wxWindow* dotsBox = dots->GetStaticBox();
  const struct {
    int id;
    const char* label;
  } sets[] = {{kIdSet345, "3-4-5"}, {kIdSet456, "4-5-6"}};
  for (int row = 0; row < 2; ++row) {
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    auto* radio = new wxRadioButton(dotsBox, sets[row].id, sets[row].label, wxDefaultPosition, wxDefaultSize,
                                    row == 0 ? wxRB_GROUP : 0);
    radio->Bind(wxEVT_RADIOBUTTON, &CTaskPageDots::OnDotSet, this);
    line->Add(radio, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    for (int k = 0; k < 3; ++k) {
      const int icon = row * 3 + k;
      line->Add(new wxStaticBitmap(dotsBox, kIdFirstIcon + icon, IconBitmap(kIconIds[icon])), 0,
                wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    }
    dots->Add(line, 0, wxALL, 4);
  }
  top->Add(dots, 0, wxEXPAND | wxALL, 6);

  auto* balance = new wxStaticBoxSizer(wxVERTICAL, panel, "Balance");
  balance->GetStaticBox()->SetId(kIdBalanceGroup);
  auto* presentation = new wxRadioButton(balance->GetStaticBox(), kIdPresentation, "Presentation", wxDefaultPosition,
                                         wxDefaultSize, wxRB_GROUP);
  auto* response = new wxRadioButton(balance->GetStaticBox(), kIdResponse, "Response");
  presentation->Bind(wxEVT_RADIOBUTTON, &CTaskPageDots::OnBalance, this);
  response->Bind(wxEVT_RADIOBUTTON, &CTaskPageDots::OnBalance, this);
  balance->Add(presentation, 0, wxALL, 4);
  balance->Add(response, 0, wxALL, 4);
  top->Add(balance, 0, wxEXPAND | wxALL, 6);

  AddSeriesControls(panel, top, kIdSeriesLength, kIdTaskLength);
  panel->SetSizer(top);
  return true;
}

void CTaskPageDots::RefreshControls() {
  wxWindow* panel = GetWindow();
  if (!panel) return;
  for (int id : {kIdDotsGroup, kIdBalanceGroup, kIdSet345, kIdSet456, kIdPresentation, kIdResponse}) {
    if (wxWindow* control = panel->FindWindow(id)) control->Show(m_showControls);
  }
  for (int i = 0; i < kIcons; ++i) {
    if (wxWindow* icon = panel->FindWindow(kIdFirstIcon + i)) icon->Show(m_showControls);
  }
  const bool editable = IsEditable() && GetModelTask();
  if (GetModelTask()) {
    m_dotSet = ParamWord(kWordDotSet) != 0 ? 1 : 0;
    m_balance = ParamWord(kWordBalance) != 0 ? 1 : 0;
  }
  const struct {
    int id;
    bool on;
  } radios[] = {{kIdSet345, m_dotSet == 0},
                {kIdSet456, m_dotSet != 0},
                {kIdPresentation, m_balance == 0},
                {kIdResponse, m_balance != 0}};
  for (const auto& r : radios) {
    if (auto* radio = FindControl<wxRadioButton>(r.id)) {
      radio->Enable(editable);
      radio->SetValue(r.on);
    }
  }
  RefreshSeriesControls();
  CTaskPage::RefreshControls();
}

void CTaskPageDots::Choose(int* member, int word, int value) {
  *member = value;
  if (GetModelTask()) StoreParamWord(word, static_cast<uint32_t>(value));
}

void CTaskPageDots::OnDotSet(wxCommandEvent& event) {
  Choose(&m_dotSet, kWordDotSet, event.GetId() == kIdSet456 ? 1 : 0);
}

void CTaskPageDots::OnBalance(wxCommandEvent& event) {
  Choose(&m_balance, kWordBalance, event.GetId() == kIdResponse ? 1 : 0);
}

}  // namespace qel
