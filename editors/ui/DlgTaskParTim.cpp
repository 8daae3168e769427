#include "editors/ui/DlgTaskParTim.h"

#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/model/ExpModelTask.h"
#include "common/ui/WxText.h"
#include "editors/TaskTextHelpers.h"
#include "editors/ui/RtfView.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {

constexpr int kPictureHeight = 80;

wxColour Colour(uint32_t rgb) { return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The rich-text lines as a document: line ends become paragraph marks.
std::string DescriptionDocument(std::string lines) {
  for (size_t at = lines.find("\r\n"); at != std::string::npos; at = lines.find("\r\n", at)) {
    lines.replace(at, 2, "\\par ");
  }
  return BuildRtfText(lines, true);
}

}  // namespace

CDlgTaskParTim::CDlgTaskParTim(wxWindow* parent, const EditorServices& services) : CDlgTaskParPage(parent, services) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* presetBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Task timing options");
  presetBox->GetStaticBox()->SetId(kIdPresetGroup);
  m_preset = new wxChoice(presetBox->GetStaticBox(), kIdPreset, wxDefaultPosition, wxSize(200, -1));
  presetBox->Add(m_preset, 0, wxALL, 2);
  top->Add(presetBox, 0, wxEXPAND | wxALL, 4);

  auto edit = [](wxWindow* parent, int id) { return new wxTextCtrl(parent, id, "", wxDefaultPosition, wxSize(70, -1)); };
  auto name = [](wxWindow* parent, int id) {
    return new wxTextCtrl(parent, id, "", wxDefaultPosition, wxSize(120, -1), wxTE_READONLY);
  };
  auto* groups = new wxBoxSizer(wxHORIZONTAL);
  auto* sd = new wxStaticBoxSizer(wxVERTICAL, this, "Signal duration");
  sd->GetStaticBox()->SetId(kIdSdGroup);
  sd->Add(name(sd->GetStaticBox(), kIdSdName), 0, wxALL, 2);
  auto* sdRow = new wxBoxSizer(wxHORIZONTAL);
  sdRow->Add(new wxStaticText(sd->GetStaticBox(), kIdSdValueLabel, "value ->"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
  sdRow->Add(edit(sd->GetStaticBox(), kIdSdLow), 0, wxRIGHT, 2);
  sdRow->Add(edit(sd->GetStaticBox(), kIdSdHigh), 0);
  sd->Add(sdRow, 0, wxALL, 2);
  groups->Add(sd, 1, wxEXPAND | wxRIGHT, 4);

  auto* onset = new wxStaticBoxSizer(wxVERTICAL, this, "Signal onset");
  onset->GetStaticBox()->SetId(kIdOnsetGroup);
  onset->Add(name(onset->GetStaticBox(), kIdEventsName), 0, wxALL, 2);
  auto* vrRow = new wxBoxSizer(wxHORIZONTAL);
  vrRow->Add(new wxStaticText(onset->GetStaticBox(), wxID_ANY, "valid ->"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
  vrRow->Add(edit(onset->GetStaticBox(), kIdVrLow), 0, wxRIGHT, 2);
  vrRow->Add(edit(onset->GetStaticBox(), kIdVrHigh), 0);
  onset->Add(vrRow, 0, wxALL, 2);
  groups->Add(onset, 1, wxEXPAND | wxRIGHT, 4);

  auto* interval = new wxStaticBoxSizer(wxVERTICAL, this, "Interval duration");
  interval->GetStaticBox()->SetId(kIdIntGroup);
  interval->Add(name(interval->GetStaticBox(), kIdIntName), 0, wxALL, 2);
  auto* intRow = new wxBoxSizer(wxHORIZONTAL);
  intRow->Add(new wxStaticText(interval->GetStaticBox(), kIdIntValueLabel, "value ->"), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
  intRow->Add(edit(interval->GetStaticBox(), kIdIntLow), 0, wxRIGHT, 2);
  intRow->Add(edit(interval->GetStaticBox(), kIdIntHigh), 0);
  interval->Add(intRow, 0, wxALL, 2);
  groups->Add(interval, 1, wxEXPAND);
  top->Add(groups, 0, wxEXPAND | wxALL, 4);

  top->Add(new wxStaticText(this, kIdNoTiming, "This task has no timing of its own: its signals and responses are timed by the task itself."),
           0, wxALL, 8);
  m_description = new CRtfView(this, kIdDescription, wxSize(-1, 110));
  top->Add(m_description, 1, wxEXPAND | wxALL, 4);
  m_picture = new CStaticTaskParTim(this, kIdPicture, this);
  m_picture->SetMinSize(wxSize(-1, kPictureHeight));
  top->Add(m_picture, 0, wxEXPAND | wxALL, 4);
  SetSizer(top);

  m_preset->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ChoosePreset(m_preset->GetSelection()); });
  for (int id : {kIdSdLow, kIdSdHigh, kIdVrLow, kIdVrHigh, kIdIntLow, kIdIntHigh}) {
    Bind(wxEVT_TEXT, [this, id](wxCommandEvent&) { OnEdit(id); }, id);
  }
  struct Tip {
    int id;
    const char* text;
  } tips[] = {{kIdSdName, "Currently selected signal duration option"},
              {kIdSdHigh, "High value of signal duration (ms)"},
              {kIdSdGroup, "Signal duration option"},
              {kIdPreset, "Select task timing options"},
              {kIdPresetGroup, "Task timing options"},
              {kIdVrLow, "Low value of valid response (ms)"},
              {kIdVrHigh, "High value of valid response (ms)"},
              {kIdIntName, "Currently selected interval duration option"},
              {kIdIntGroup, "Interval duration option"},
              {kIdOnsetGroup, "Signal onset option"},
              {kIdEventsName, "Currently selected signal onset option"},
              {kIdDescription, "Task timing description"},
              {kIdPicture, "Task timing layout"}};
  for (const Tip& t : tips) {
    if (wxWindow* w = FindWindow(t.id)) w->SetToolTip(t.text);
  }
}

TimingInput CDlgTaskParTim::Input() const {
  TimingInput in;
  if (!m_task) return in;
  in.words = TimingWords::From(m_task->w);
  in.warning = (m_task->w.TaskFlags & kTaskFlagExtraWarning) != 0;
  in.startDelay = in.warning ? m_task->GetStartDelay() : 0;
  in.feedbackOn = FeedbackTypeOf(m_task->w.TaskFbk) != kFeedbackNone;
  in.hasResponseKeys = ResponseTypeOf(m_task->w.TaskType) != 0;
  return in;
}

void CDlgTaskParTim::UpdatePage() {
  CDlgTaskParPage::UpdatePage();
  m_filling = true;
  m_hasTiming = false;
  m_preset->Clear();
  const bool applies = m_task && TimingApplies(m_task->w.TaskType, m_task->w.TaskFlags);
  TimingFields fields;
  std::string sdName, eventsName, intName;
  int presetCount = 0;
  int current = -1;
  if (applies) {
    const TimingWords t = TimingWords::From(m_task->w);
    const QelTaskDescription* description = m_task->GetTaskDescription();
    presetCount = description ? static_cast<int>(std::min<uint32_t>(description->presetCount, CTaskLibrary::kMaxPresets)) : 0;
    for (int i = 0; i < presetCount; ++i) {
      const QelTimingPreset& p = description->presets[i];
      m_preset->Append(FormatTimingCode(p.words[QelTimingPreset::kSDType], p.words[QelTimingPreset::kControl],
                                        p.words[QelTimingPreset::kIntType]));
    }
    if (presetCount > 0 && m_task->IsLibraryLoaded()) {
      current = FindTimingPreset(description, m_task->w);
      m_preset->SetSelection(current);
    }
    sdName = GetSignalDurationName(t.sdType);
    eventsName = GetEventsIntervalName(t.control);
    intName = GetIntervalName(t.intType);
    SetText(kIdSdLow, std::to_string(static_cast<int32_t>(t.sdLow)));
    SetText(kIdSdHigh, std::to_string(static_cast<int32_t>(t.sdHigh)));
    SetText(kIdVrLow, std::to_string(static_cast<int32_t>(t.vrLow)));
    SetText(kIdVrHigh, std::to_string(static_cast<int32_t>(t.vrHigh)));
    SetText(kIdIntLow, std::to_string(static_cast<int32_t>(t.intLow)));
    SetText(kIdIntHigh, std::to_string(static_cast<int32_t>(t.intHigh)));
    fields = VisibleTimingFields(t);
    m_hasTiming = true;
    const bool rate = t.control == kEventsRate;
    FindWindow(kIdSdLow)->SetToolTip(fields.sdHigh ? "Low value of signal duration (ms)" : "Value of signal duration (ms)");
    FindWindow(kIdIntLow)->SetToolTip(rate ? (fields.intHigh ? "Low value of events interval (ms)" : "Value of events rate (ms)")
                                           : (fields.intHigh ? "Low value of post response interval (ms)"
                                                             : "Value of post response interval (ms)"));
    FindWindow(kIdIntHigh)->SetToolTip(rate ? "High value of events interval (ms)" : "High value of post response interval (ms)");
  }
  SetText(kIdSdName, sdName);
  SetText(kIdEventsName, eventsName);
  SetText(kIdIntName, intName);
  SetText(kIdSdValueLabel, fields.sdHigh ? "values ->" : "value ->");
  SetText(kIdIntValueLabel, fields.intHigh ? "values ->" : "value ->");
  ShowControl(kIdSdLow, applies && fields.sdLow);
  ShowControl(kIdSdHigh, applies && fields.sdHigh);
  ShowControl(kIdIntLow, applies && fields.intLow);
  ShowControl(kIdIntHigh, applies && fields.intHigh);
  ShowControl(kIdVrLow, applies);
  ShowControl(kIdVrHigh, applies);
  for (int id : {kIdSdLow, kIdSdHigh, kIdVrLow, kIdVrHigh, kIdIntLow, kIdIntHigh}) {
    if (auto* e = dynamic_cast<wxTextCtrl*>(FindWindow(id))) e->SetEditable(IsEditable());
  }
  EnableControl(kIdPreset, presetCount > 0 && IsEditable() && (presetCount >= 2 || current < 0));
  for (int id : {kIdSdGroup, kIdSdName, kIdPreset, kIdPresetGroup, kIdOnsetGroup, kIdEventsName, kIdIntGroup, kIdIntName,
                 kIdDescription, kIdPicture, kIdSdValueLabel, kIdIntValueLabel}) {
    ShowControl(id, m_hasTiming);
  }
  ShowControl(kIdNoTiming, m_task && !m_hasTiming);
  m_descriptionLines = m_hasTiming ? BuildTimingDescription(TimingWords::From(m_task->w)) : std::string();
  const wxSize size = m_picture->GetClientSize();
  DrawTiming(size.x, size.y);
  m_picture->Refresh();
  Layout();
  m_filling = false;
}

TimingPicture CDlgTaskParTim::DrawTiming(int width, int height) {
  if (!m_task) {
    m_description->SetRtf(kEmptyRtf);
    return {};
  }
  const TimingInput in = Input();
  const TimingCheck check = CheckTiming(in);
  std::string text = m_descriptionLines;
  // The check holds only for a task with a timing; its faults replace the description.
  const bool fault = m_hasTiming && check.AnyError();
  m_task->SetTimingError(fault);
  if (fault && !check.errorText.empty()) text = check.errorText;
  m_description->SetRtf(m_hasTiming ? DescriptionDocument(text) : std::string(kEmptyRtf));
  if (!m_hasTiming) return {};
  return LayoutTimingPicture(in, check, width, height);
}

void CDlgTaskParTim::ChoosePreset(int index) {
  if (!m_task || !IsEditable()) return;
  const QelTaskDescription* description = m_task->GetTaskDescription();
  if (!description || index < 0 || index >= static_cast<int>(description->presetCount) ||
      index >= CTaskLibrary::kMaxPresets) {
    return;
  }
  TimingWords::From(description->presets[index]).StoreInto(m_task->w);
  Edited();
}

void CDlgTaskParTim::EditValue(TimingField field, int32_t value) {
  if (!m_task || !IsEditable()) return;
  ApplyTimingEdit(m_task->w, field, value);
  Edited();
}

void CDlgTaskParTim::OnEdit(int id) {
  if (m_filling) return;
  auto* edit = dynamic_cast<wxTextCtrl*>(FindWindow(id));
  long value = 0;
  if (!edit || !edit->GetValue().ToLong(&value)) return;
  const TimingField field = id == kIdSdLow    ? TimingField::kSdLow
                            : id == kIdSdHigh ? TimingField::kSdHigh
                            : id == kIdVrLow  ? TimingField::kVrLow
                            : id == kIdVrHigh ? TimingField::kVrHigh
                            : id == kIdIntLow ? TimingField::kIntLow
                                              : TimingField::kIntHigh;
  EditValue(field, static_cast<int32_t>(value));
}

std::string CDlgTaskParTim::Description() const { return m_description->GetRtf(); }

std::vector<std::string> CDlgTaskParTim::PresetCodes() const {
  std::vector<std::string> codes;
  for (unsigned i = 0; i < m_preset->GetCount(); ++i) codes.push_back(m_preset->GetString(i).ToStdString());
  return codes;
}

int CDlgTaskParTim::SelectedPreset() const { return m_preset->GetSelection(); }

CStaticTaskParTim::CStaticTaskParTim(wxWindow* parent, int id, CDlgTaskParTim* owner)
    : wxWindow(parent, id, wxDefaultPosition, wxSize(-1, kPictureHeight), wxBORDER_SUNKEN), m_owner(owner) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CStaticTaskParTim::OnPaint, this);
}

void CStaticTaskParTim::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBackground(*wxBLACK_BRUSH);
  dc.Clear();
  const TimingPicture p = m_owner->DrawTiming(size.x, size.y);
  using L = TimingLayout;
  wxFont font(wxFontInfo().Family(wxFONTFAMILY_SWISS).FaceName("Arial"));
  font.SetPixelSize(wxSize(0, L::kFontHeight - 4));
  dc.SetFont(font);
  dc.SetBackgroundMode(wxTRANSPARENT);
  if (p.drawn) {
    dc.SetPen(wxPen(*wxWHITE, 1));
    dc.DrawLine(p.axisX0, p.axisY, p.axisX1, p.axisY);
    for (const TimingBar& b : p.bars) {
      const wxColour colour = Colour(b.rgb);
      if (b.hasBar && b.x1 > b.x0) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(colour));
        dc.DrawRectangle(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0 + 1);
      }
      if (b.label.empty()) continue;
      dc.SetTextForeground(colour);
      const wxSize text = dc.GetTextExtent(ToWx(b.label));
      const int bottom = b.labelRow == TimingBar::Row::kUpper ? L::kUpperLabelBottom : L::kLowerLabelBottom;
      dc.DrawText(ToWx(b.label), b.x0, bottom - text.y);
    }
  }
  if (p.errorBanner) {
    dc.SetTextForeground(Colour(L::kRed));
    const wxSize text = dc.GetTextExtent(kTimingErrorBanner);
    dc.DrawText(kTimingErrorBanner, 1, size.y - 1 - text.y);
  }
}

}  // namespace qel
