#include "tasks/plugins/saa/ui/AuditoryPage.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "tasks/plugins/saa/SaaTones.h"

namespace qel {

namespace {

constexpr int kEditWidth = 70;

// The pitch edits: control, label, TaskParam word, in the page's order.
struct PitchEdit {
  int id;
  const char* label;
  int word;
};
constexpr PitchEdit kPitchEdits[CTaskPageAuditory::kPitches] = {
    {CTaskPageAuditory::kIdLowPitch, "Low pitch", saa::kWordLowPitch},
    {CTaskPageAuditory::kIdMiddlePitch, "Middle pitch", saa::kWordMiddlePitch},
    {CTaskPageAuditory::kIdHighPitch, "High pitch", saa::kWordHighPitch},
};

// A whole number of Hz the host plays, from an edit's text.
bool ParsePitch(const wxString& text, unsigned* out) {
  unsigned long value = 0;
  if (text.empty() || !text.IsNumber() || !text.ToULong(&value)) return false;
  if (value > static_cast<unsigned long>(saa::kHighestPitch) || !saa::PitchPlayable(static_cast<uint32_t>(value))) {
    return false;
  }
  *out = static_cast<unsigned>(value);
  return true;
}

}  // namespace

std::string CTaskPageAuditory::RefusalText(const char* label) {
  return std::string(label) + ": enter a whole number from " + std::to_string(saa::kLowestPitch) + " to " +
         std::to_string(saa::kHighestPitch) + " Hz; the computer cannot play other tones.";
}

bool CTaskPageAuditory::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* grid = new wxFlexGridSizer(2, 4, 8);
  for (const PitchEdit& e : kPitchEdits) {
    grid->Add(new wxStaticText(panel, wxID_ANY, wxString(e.label) + ", Hz"), 0, wxALIGN_CENTER_VERTICAL);
    auto* edit = new wxTextCtrl(panel, e.id, "", wxDefaultPosition, wxSize(kEditWidth, -1));
    edit->Bind(wxEVT_TEXT, &CTaskPageAuditory::OnPitch, this);
    grid->Add(edit, 0, wxALIGN_CENTER_VERTICAL);
  }
  top->Add(grid, 0, wxALL, 6);
  auto* message = new wxStaticText(panel, kIdPitchMessage, "");
  message->SetForegroundColour(*wxRED);
  top->Add(message, 0, wxLEFT | wxRIGHT | wxEXPAND, 6);
  AddSeriesControls(panel, top, kIdSeriesLength, kIdTaskLength);
  panel->SetSizer(top);
  return true;
}

void CTaskPageAuditory::RefreshControls() {
  const bool editable = IsEditable() && GetModelTask();
  std::string message;
  for (int i = 0; i < kPitches; ++i) {
    const PitchEdit& e = kPitchEdits[i];
    if (GetModelTask()) m_pitches[i] = ParamWord(e.word);
    if (message.empty() && !saa::PitchPlayable(m_pitches[i])) message = RefusalText(e.label);
    auto* edit = FindControl<wxTextCtrl>(e.id);
    if (!edit) continue;
    edit->Enable(editable);
    const wxString text = wxString::Format("%u", m_pitches[i]);
    // Without an event: a refresh is no edit of the operator's.
    if (edit->GetValue() != text) edit->ChangeValue(text);
  }
  ShowMessage(message);
  RefreshSeriesControls();
  CTaskPage::RefreshControls();
}

void CTaskPageAuditory::ShowMessage(const std::string& text) {
  m_message = text;
  if (auto* label = FindControl<wxStaticText>(kIdPitchMessage)) {
    label->SetLabel(wxString::FromUTF8(text));
    if (wxWindow* panel = GetWindow()) panel->Layout();
  }
}

void CTaskPageAuditory::OnPitch(wxCommandEvent& event) {
  for (int i = 0; i < kPitches; ++i) {
    const PitchEdit& e = kPitchEdits[i];
    if (e.id != event.GetId()) continue;
    unsigned pitch = 0;
    if (!ParsePitch(event.GetString(), &pitch)) {
      ShowMessage(RefusalText(e.label));
      return;
    }
    m_pitches[i] = pitch;
    if (!StoreParamWord(e.word, pitch)) ShowMessage("");
    return;
  }
}

}  // namespace qel
