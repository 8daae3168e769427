#include "tasks/plugins/tp/ui/TappingPage.h"

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "tasks/plugins/tp/ui/CriterionPicture.h"

namespace qel {

namespace {

constexpr int kPictureWidth = 90;
constexpr int kPictureHeight = 24;

}  // namespace

int CTaskPageTapping::Criterion(int word, int low, int high, int fallback) const {
  if (!GetModelTask()) return fallback;
  const uint32_t value = ParamWord(word);
  return static_cast<int>(std::clamp<uint32_t>(value, static_cast<uint32_t>(low), static_cast<uint32_t>(high)));
}

int CTaskPageTapping::AltCriterion() const { return Criterion(1, kAltMin, kAltMax, kAltDefault); }
int CTaskPageTapping::SyncCriterion() const { return Criterion(2, kSyncMin, kSyncMax, kSyncDefault); }

bool CTaskPageTapping::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* counters = new wxCheckBox(panel, kIdCounters, "Show Alt/Sync taps counter");
  top->Add(counters, 0, wxALL, 6);

  auto* box = new wxStaticBoxSizer(wxVERTICAL, panel, "Overlapping criteria");
  wxWindow* group = box->GetStaticBox();

  struct Row {
    const char* caption;
    int sliderId, labelId, pictureId, low, high, initial;
    const char* lowText;
    const char* highText;
    int (CTaskPageTapping::*criterion)() const;
  };
  const Row rows[] = {
      {"Alternating, allow at most, %", kIdAltSlider, kIdAltLabel, kIdAltPicture, kAltMin, kAltMax, kAltDefault, "0",
       "40", &CTaskPageTapping::AltCriterion},
      {"Synchronous, demand at least, %", kIdSyncSlider, kIdSyncLabel, kIdSyncPicture, kSyncMin, kSyncMax, kSyncDefault,
       "60", "100", &CTaskPageTapping::SyncCriterion},
  };
  for (const Row& row : rows) {
    auto* captionLine = new wxBoxSizer(wxHORIZONTAL);
    captionLine->Add(new wxStaticText(group, wxID_ANY, row.caption), 0, wxALIGN_CENTER_VERTICAL);
    captionLine->Add(new wxStaticText(group, row.labelId, wxString::Format("%d", row.initial)), 0,
                     wxLEFT | wxALIGN_CENTER_VERTICAL, 6);
    box->Add(captionLine, 0, wxLEFT | wxRIGHT | wxTOP, 6);

    auto* sliderLine = new wxBoxSizer(wxHORIZONTAL);
    sliderLine->Add(new wxStaticText(group, wxID_ANY, row.lowText), 0, wxALIGN_CENTER_VERTICAL);
    auto* slider =
        new wxSlider(group, row.sliderId, row.initial, row.low, row.high, wxDefaultPosition, wxSize(160, -1));
    sliderLine->Add(slider, 1, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 4);
    sliderLine->Add(new wxStaticText(group, wxID_ANY, row.highText), 0, wxALIGN_CENTER_VERTICAL);
    auto* picture = new wxPanel(group, row.pictureId, wxDefaultPosition, wxSize(kPictureWidth, kPictureHeight));
    picture->SetMinSize(wxSize(kPictureWidth, kPictureHeight));
    const auto criterion = row.criterion;
    picture->Bind(wxEVT_PAINT, [this, picture, criterion](wxPaintEvent&) {
      wxPaintDC dc(picture);
      PaintCriterionPicture(dc, wxRect(picture->GetClientSize()), (this->*criterion)());
    });
    sliderLine->Add(picture, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 8);
    box->Add(sliderLine, 0, wxEXPAND | wxALL, 6);
  }
  top->Add(box, 0, wxEXPAND | wxALL, 6);
  panel->SetSizer(top);

  counters->Bind(wxEVT_CHECKBOX, &CTaskPageTapping::OnCounters, this);
  FindControl<wxSlider>(kIdAltSlider)->Bind(wxEVT_SLIDER, &CTaskPageTapping::OnAltSlider, this);
  FindControl<wxSlider>(kIdSyncSlider)->Bind(wxEVT_SLIDER, &CTaskPageTapping::OnSyncSlider, this);
  return true;
}

void CTaskPageTapping::RefreshControls() {
  auto* counters = FindControl<wxCheckBox>(kIdCounters);
  auto* alt = FindControl<wxSlider>(kIdAltSlider);
  auto* sync = FindControl<wxSlider>(kIdSyncSlider);
  auto* altLabel = FindControl<wxStaticText>(kIdAltLabel);
  auto* syncLabel = FindControl<wxStaticText>(kIdSyncLabel);
  if (!counters || !alt || !sync || !altLabel || !syncLabel) return;

  const bool editable = IsEditable() && GetModelTask();
  counters->Enable(editable);
  alt->Enable(editable);
  sync->Enable(editable);

  counters->SetValue(GetModelTask() && ParamWord(0) != 0);
  alt->SetValue(AltCriterion());
  sync->SetValue(SyncCriterion());
  altLabel->SetLabel(wxString::Format("%d", AltCriterion()));
  syncLabel->SetLabel(wxString::Format("%d", SyncCriterion()));
  for (int id : {kIdAltPicture, kIdSyncPicture}) {
    if (wxWindow* picture = FindControl<wxWindow>(id)) picture->Refresh();
  }
  CTaskPage::RefreshControls();
}

void CTaskPageTapping::OnCounters(wxCommandEvent& event) { StoreParamWord(0, event.IsChecked() ? 1 : 0); }

void CTaskPageTapping::OnAltSlider(wxCommandEvent& event) {
  StoreParamWord(1, static_cast<uint32_t>(std::clamp(event.GetInt(), kAltMin, kAltMax)));
}

void CTaskPageTapping::OnSyncSlider(wxCommandEvent& event) {
  StoreParamWord(2, static_cast<uint32_t>(std::clamp(event.GetInt(), kSyncMin, kSyncMax)));
}

}  // namespace qel
