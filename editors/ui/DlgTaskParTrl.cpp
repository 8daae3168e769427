#include "editors/ui/DlgTaskParTrl.h"

#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "display/ui/DDDisplay.h"
#include "editors/EditorRuns.h"
#include "editors/GeneralPageRules.h"
#include "editors/TrialsRules.h"
#include "app/rundata/TaskRunData.h"
#include "editors/ui/EditorServices.h"
#include "engine/host/ui/TaskHost.h"
#include "ui/ui/ListCtrlQel.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

const char* const kColumns[] = {"No.", "Trial"};
const int kColumnWidths[] = {-40, 60};
constexpr int kTargetImage = 13;
constexpr int kOtherImage = 14;
constexpr int kPreviewWidth = 240;
constexpr int kPrimaryDisplay = 0;

wxStaticText* Label(wxWindow* parent, int id, const char* text, int width = -1) {
  return new wxStaticText(parent, id, text, wxDefaultPosition, wxSize(width, -1));
}

}  // namespace

CDlgTaskParTrl::CDlgTaskParTrl(wxWindow* parent, const EditorServices& services)
    : CDlgTaskParPage(parent, services), m_display(std::make_unique<CDDDisplay>()) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  auto* listsColumn = new wxBoxSizer(wxVERTICAL);
  const int listIds[3] = {kIdPracticeList, kIdTestList, kIdDummyList};
  const int codes[3] = {kCodePractice, kCodeTest, kCodeDummy};
  struct ListLabels {
    int labelId;
    const char* label;
    int lengthId;
  } labels[3] = {{kIdPracticeLabel, "Practice length, trls", kIdPracticeLength},
                 {kIdTestLabel, "Test length, trls", kIdTestLength},
                 {kIdDummyLabel, "Dummy trials:", kIdDummyLength}};
  auto* lists = new wxBoxSizer(wxHORIZONTAL);
  for (int s = 0; s < 3; ++s) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(Label(this, labels[s].labelId, labels[s].label), 0);
    column->Add(Label(this, labels[s].lengthId, "", 90), 0);
    m_lists[s] = new CListCtrlQel(this, listIds[s], wxDefaultPosition, wxSize(130, 200));
    m_lists[s]->SetColumns(kColumns, kColumnWidths, 2, false);
    m_lists[s]->SetSingleStyle(wxLC_SINGLE_SEL);
    m_lists[s]->m_keyList.m_pOwner = this;
    m_lists[s]->m_nEventCodes[CListCtrlQel::kEventSelected] = codes[s];
    column->Add(m_lists[s], 1, wxEXPAND);
    lists->Add(column, 1, wxEXPAND | wxRIGHT, 4);
    m_lists[s]->Bind(wxEVT_SET_FOCUS, [this, s](wxFocusEvent& e) {
      Refocus(s);
      e.Skip();
    });
  }
  listsColumn->Add(lists, 1, wxEXPAND);

  auto* rules = new wxBoxSizer(wxHORIZONTAL);
  auto* trialsBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Trials");
  trialsBox->GetStaticBox()->SetId(kIdTrialsGroup);
  trialsBox->Add(new wxTextCtrl(trialsBox->GetStaticBox(), kIdTrials, "", wxDefaultPosition, wxSize(60, -1), wxTE_READONLY));
  m_trialsSpin = new wxSpinButton(trialsBox->GetStaticBox(), kIdTrialsSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_trialsSpin->SetRange(-1000, 1000);
  trialsBox->Add(m_trialsSpin);
  rules->Add(trialsBox, 0, wxRIGHT, 4);
  auto* zBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Z-trials");
  zBox->GetStaticBox()->SetId(kIdZGroup);
  zBox->Add(Label(zBox->GetStaticBox(), kIdZTrials, "", 50), 0, wxALL, 4);
  rules->Add(zBox, 0, wxRIGHT, 4);
  auto* before = new wxStaticBoxSizer(wxHORIZONTAL, this, "Before interruption");
  before->GetStaticBox()->SetId(kIdBeforeGroup);
  before->Add(Label(before->GetStaticBox(), kIdInterruptionLabel, "ACs/OMs allowed"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  before->Add(new wxTextCtrl(before->GetStaticBox(), kIdInterruptionLimit, "", wxDefaultPosition, wxSize(40, -1), wxTE_READONLY));
  rules->Add(before, 0);
  listsColumn->Add(rules, 0, wxTOP, 4);
  auto* after = new wxStaticBoxSizer(wxHORIZONTAL, this, "After interruption");
  after->GetStaticBox()->SetId(kIdAfterGroup);
  after->Add(Label(after->GetStaticBox(), kIdContinuationLabel, "Task continuation"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  after->Add(new wxTextCtrl(after->GetStaticBox(), kIdContinuation, "", wxDefaultPosition, wxSize(110, -1), wxTE_READONLY), 0,
             wxRIGHT, 8);
  after->Add(Label(after->GetStaticBox(), kIdReplacementLabel, "Trial replacement"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  after->Add(new wxTextCtrl(after->GetStaticBox(), kIdReplacement, "", wxDefaultPosition, wxSize(140, -1), wxTE_READONLY));
  listsColumn->Add(after, 0, wxTOP, 4);
  top->Add(listsColumn, 1, wxEXPAND | wxALL, 4);

  auto* previewColumn = new wxBoxSizer(wxVERTICAL);
  auto* targetBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Target");
  targetBox->GetStaticBox()->SetId(kIdTargetGroup);
  targetBox->Add(Label(targetBox->GetStaticBox(), kIdTarget, "", 200), 0, wxALL, 2);
  previewColumn->Add(targetBox, 0, wxEXPAND);
  auto* previewRow = new wxBoxSizer(wxHORIZONTAL);
  m_preview = new wxWindow(this, kIdPreview, wxDefaultPosition, wxSize(kPreviewWidth, kPreviewWidth * 3 / 4), wxBORDER_SUNKEN);
  m_preview->SetBackgroundColour(*wxBLACK);
  previewRow->Add(m_preview, 0, wxRIGHT, 4);
  auto* scaleColumn = new wxBoxSizer(wxVERTICAL);
  m_scale = new wxSlider(this, kIdScale, ScaleToSlider(kScaleStepDefault), kScaleStepMin, kScaleStepMax, wxDefaultPosition,
                         wxSize(-1, 140), wxSL_VERTICAL | wxSL_AUTOTICKS);
  m_scale->SetTickFreq(kScaleSliderTick);
  scaleColumn->Add(m_scale, 0, wxALIGN_CENTER_HORIZONTAL);
  scaleColumn->Add(Label(this, kIdScaleText, "", 50), 0, wxALIGN_CENTER_HORIZONTAL);
  previewRow->Add(scaleColumn, 0);
  previewColumn->Add(previewRow, 0, wxTOP, 4);
  top->Add(previewColumn, 0, wxALL, 4);
  SetSizer(top);
  FitPreviewWindow();

  m_trialsSpin->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& e) { StepTrials(1); e.Veto(); });
  m_trialsSpin->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& e) { StepTrials(-1); e.Veto(); });
  auto bindScroll = [this](const wxEventTypeTag<wxScrollEvent>& type, int code) {
    m_scale->Bind(type, [this, code](wxScrollEvent& e) { MoveScale(code, e.GetPosition()); });
  };
  bindScroll(wxEVT_SCROLL_LINEUP, kScrollLineUp);
  bindScroll(wxEVT_SCROLL_LINEDOWN, kScrollLineDown);
  bindScroll(wxEVT_SCROLL_PAGEUP, kScrollPageUp);
  bindScroll(wxEVT_SCROLL_PAGEDOWN, kScrollPageDown);
  bindScroll(wxEVT_SCROLL_THUMBTRACK, kScrollThumbTrack);
  bindScroll(wxEVT_SCROLL_CHANGED, kScrollThumbPosition);

  struct Tip {
    int id;
    const char* text;
  } tips[] = {{kIdInterruptionLabel, "Number of ACs or OMs allowed before interruption occurs"},
              {kIdInterruptionLimit, "Number of ACs or OMs allowed before interruption occurs"},
              {kIdTrials, "Actual number of trials for TEST assessment"},
              {kIdTrialsSpin, "Actual number of trials control"},
              {kIdTestList, "Base list of trials for TEST assessment"},
              {kIdTestLabel, "Base number of trials for TEST assessment"},
              {kIdTestLength, "Base number of trials for TEST assessment"},
              {kIdPracticeList, "Base list of trials for PRACTICE assessment"},
              {kIdPracticeLabel, "Base number of trials for PRACTICE assessment"},
              {kIdPracticeLength, "Base number of trials for PRACTICE assessment"},
              {kIdPreview, "Signal preview"},
              {kIdScale, "Signal scale control"},
              {kIdScaleText, "Value of signal scaling"},
              {kIdTarget, "Target character(s) in trial"},
              {kIdContinuationLabel, "Mode of task continuation after interruption"},
              {kIdContinuation, "Mode of task continuation after interruption"},
              {kIdReplacementLabel, "Mode of trial replacement after interruption"},
              {kIdReplacement, "Mode of trial replacement after interruption"},
              {kIdDummyList, "List of dummy trials used after task interruption"},
              {kIdDummyLength, "Number of dummy trials used after task interruption"},
              {kIdDummyLabel, "Number of dummy trials used after task interruption"}};
  for (const Tip& t : tips) {
    if (wxWindow* w = FindWindow(t.id)) w->SetToolTip(t.text);
  }

  // The preview: the primary display drawn windowed into the preview window.
  if (m_display->DisplayEnum() && m_display->AttachWindowed(kPrimaryDisplay, m_preview)) {
    m_displayAttached = m_display->SurfaceCreate(0, 0, 0, 0);
    m_display->SetRestoreDisplay(
        [](void* context) -> bool {
          static_cast<CDlgTaskParTrl*>(context)->DrawPreview(1);
          return true;
        },
        this);
  }
}

CDlgTaskParTrl::~CDlgTaskParTrl() {
  if (m_displayAttached || m_display->IsWindowed()) m_display->Free();
}

CListCtrlQel& CDlgTaskParTrl::List(int source) const { return *m_lists[std::clamp(source, 0, 2)]; }

void CDlgTaskParTrl::FitPreviewWindow() {
  const wxRect screen = wxDisplay(static_cast<unsigned>(kPrimaryDisplay)).GetGeometry();
  const int width = m_preview->GetSize().x;
  if (screen.width <= 0) return;
  m_preview->SetMinSize(wxSize(width, width * screen.height / screen.width));
  m_preview->Show();
}

const char (*CDlgTaskParTrl::Codes(int source, uint32_t* count) const)[17] {
  *count = 0;
  if (!m_library) return nullptr;
  switch (source) {
    case kSourcePractice:
      *count = m_library->practiceTrialCount;
      return m_library->practiceTrialList;
    case kSourceTest:
      *count = m_library->testTrialCount;
      return m_library->testTrialList;
    default:
      *count = m_library->secondListCount;
      return m_library->secondList;
  }
}

void CDlgTaskParTrl::FillList(CListCtrlQel& list, const char (*codes)[17], uint32_t count) {
  list.DeleteAllRows();
  const uint32_t shown = codes ? std::min<uint32_t>(count, kMaxTrialCodes) : 0;
  for (uint32_t i = 0; i < shown; ++i) {
    const std::string code(codes[i], strnlen(codes[i], kTrialCodeSize));
    const bool target = m_task && m_task->IsTargetTrial(codes[i]);
    const int row = static_cast<int>(i);
    if (!list.InsertRowWithImage(row, code.c_str(), target ? kTargetImage : kOtherImage, false)) continue;
    list.SetItem(row, 0, std::to_string(i + 1));
    list.SetItem(row, 1, wxString::FromUTF8(code));
  }
  list.AutoSizeColumns();
}

void CDlgTaskParTrl::FillTrialLists() {
  // Asking the plug-in which codes are targets may make it publish its lists
  // again: the lists are filled again once when they changed meanwhile.
  auto published = [this] {
    std::vector<std::pair<const void*, uint32_t>> lists;
    for (int s = kSourcePractice; s <= kSourceDummy; ++s) {
      uint32_t n = 0;
      const void* codes = Codes(s, &n);
      lists.emplace_back(codes, n);
    }
    return lists;
  };
  const auto before = published();
  FillTrialListsOnce();
  if (published() != before) FillTrialListsOnce();
}

void CDlgTaskParTrl::FillTrialListsOnce() {
  // Each list's codes are fetched before its count is read: as arguments of
  // one call, the count could be read first (the previous list's).
  uint32_t count = 0;
  const char(*codes)[17] = Codes(kSourcePractice, &count);
  FillList(*m_lists[kSourcePractice], codes, count);
  SetText(kIdPracticeLength, TrialCountText(count));
  codes = Codes(kSourceTest, &count);
  FillList(*m_lists[kSourceTest], codes, count);
  SetText(kIdTestLength, TrialCountText(count));
  codes = Codes(kSourceDummy, &count);
  FillList(*m_lists[kSourceDummy], codes, count);
  SetText(kIdDummyLength, std::to_string(count));
}

void CDlgTaskParTrl::UpdateControls() {
  if (m_task && m_displayAttached) m_task->PreparePreview(m_display.get(), m_practicePreview ? 1 : 0);
}

void CDlgTaskParTrl::UpdatePage() {
  CDlgTaskParPage::UpdatePage();
  std::string trialsCaption = "Trials", zCaption = "Z-trials";
  m_trials = 0;
  int zTrials = -1;
  std::string limit, continuation, replacement, target, scaleText;
  m_previewed = nullptr;
  // The previewed trial is set again from the remembered row below.
  PublishTrialList(nullptr, 0, -1);
  bool bound = false, multiTrials = false, hasTrials = false;
  TrialsVisibility v;
  bool hasDummies = false;
  if (m_task && m_library) {
    // The plug-in publishes its lists for the task's version and part when a run is prepared.
    if (m_services.runData) m_task->PrepareRun(m_services.runData);
    bound = m_task->IsLibraryLoaded();
    const int rows = m_task->GetCodeRowCount();
    multiTrials = bound && rows >= 2;
    const int part = m_task->currentPart;
    v = TrialsPageVisibility(m_task->w.TaskType, m_task->w.TaskFlags, m_task->w.TaskIntrContinue);
    if (v.timed) {
      trialsCaption = "Time,sec";
      zCaption = "Z-time,sec";
    }
    const int row = CurrentTrialsRow(*m_task, &m_trials);
    zTrials = m_task->GetThirdPartTableEntry(false, part + 1);
    uint32_t raw = m_task->GetCurrentPartTrials();
    if (raw == 0) raw = static_cast<uint32_t>(std::max(0, m_task->GetPartTableEntry(false, part + 1)));
    hasTrials = raw > 0;
    m_trialsSpin->SetValue(row >= 0 ? row + 1 : 1);
    if (v.interruption || m_task->w.TaskIntrContinue == kContinueDummyTrials) {
      limit = std::to_string(m_task->w.TaskIntrAfterTrials);
      continuation = ContinuationName(m_task->w.TaskIntrContinue);
      replacement = ReplacementName(m_task->w.TaskIntrReplaceTrial);
    }
    target = m_task->GetTrialListText();
    FillTrialLists();
    hasDummies = m_task->GetSecondListCount() > 0;
    m_scaleStep = ShownScaleStep(m_task->w.TaskSSS);
    m_scale->SetValue(ScaleToSlider(m_scaleStep));
    scaleText = ScaleText(m_task->w.TaskSSS);
    RestorePreviewSelection();
  } else {
    for (CListCtrlQel* list : m_lists) list->DeleteAllRows();
  }
  SetText(kIdTrialsGroup, trialsCaption);
  SetText(kIdZGroup, zCaption);
  SetText(kIdTrials, std::to_string(m_trials));
  SetText(kIdZTrials, std::to_string(zTrials));
  SetText(kIdInterruptionLimit, limit);
  SetText(kIdContinuation, continuation);
  SetText(kIdReplacement, replacement);
  SetText(kIdTarget, target);
  SetText(kIdScaleText, scaleText);
  for (int id : {kIdTestList, kIdTestLabel, kIdPracticeList, kIdPracticeLabel, kIdTestLength, kIdPracticeLength}) {
    ShowControl(id, bound && v.lists);
  }
  ShowControl(kIdPreview, bound);
  ShowControl(kIdTarget, bound);
  ShowControl(kIdTargetGroup, bound && !target.empty());
  ShowControl(kIdScale, bound && v.scale);
  ShowControl(kIdScaleText, bound && v.scale);
  EnableControl(kIdScale, bound && IsEditable());
  for (int id : {kIdZTrials, kIdTrialsGroup, kIdZGroup, kIdTrials}) ShowControl(id, hasTrials);
  ShowControl(kIdTrialsSpin, multiTrials && IsEditable());
  for (int id : {kIdBeforeGroup, kIdInterruptionLabel, kIdInterruptionLimit, kIdReplacementLabel, kIdReplacement}) {
    ShowControl(id, bound && v.interruption);
  }
  for (int id : {kIdAfterGroup, kIdContinuationLabel, kIdContinuation}) ShowControl(id, bound && v.afterInterruption);
  for (int id : {kIdDummyList, kIdDummyLabel, kIdDummyLength}) ShowControl(id, bound && v.lists && hasDummies);
  Layout();
}

void CDlgTaskParTrl::PublishTrialList(const char (*codes)[17], uint32_t count, int row) {
  CTaskHost* host = m_services.host;
  if (!host) return;
  const uint32_t n = codes ? std::min<uint32_t>(count, kMaxTrialCodes) : 0;
  if (n > 0) std::memcpy(host->trialList, codes, static_cast<size_t>(n) * kTrialCodeSize);
  host->trialCount = n;
  host->trialIndex = n > 0 && row >= 0 && static_cast<uint32_t>(row) < n ? static_cast<uint32_t>(row) : 0;
}

void CDlgTaskParTrl::RestorePreviewSelection() {
  uint32_t count = 0;
  const char (*codes)[17] = Codes(m_source, &count);
  const int row = m_rows[m_source] - 1;
  if (!codes || row < 0 || static_cast<uint32_t>(row) >= std::min<uint32_t>(count, kMaxTrialCodes)) return;
  m_previewed = codes[row];
  PublishTrialList(codes, count, row);
  m_lists[m_source]->SelectRow(row);
}

void CDlgTaskParTrl::DrawPreview(int flag) {
  if (!m_displayAttached) return;
  m_display->UpdateBounds();
  if (m_task && m_previewed) {
    m_task->DrawPreview(reinterpret_cast<intptr_t>(m_previewed), reinterpret_cast<intptr_t>(m_display.get()), flag);
  }
}

void CDlgTaskParTrl::SelectForPreview(int source, int row) {
  if (!m_library || !m_task || source < 0 || source > kSourceDummy) return;
  if (row < 0 || row >= m_lists[source]->GetItemCount()) return;
  uint32_t count = 0;
  const char (*codes)[17] = Codes(source, &count);
  if (!codes || static_cast<uint32_t>(row) >= count) return;
  m_source = source;
  m_rows[source] = row + 1;
  m_practicePreview = source == kSourcePractice;
  m_previewed = codes[row];
  PublishTrialList(codes, count, row);
  UpdateControls();
  DrawPreview(0);
}

void CDlgTaskParTrl::Refocus(int source) {
  if (!m_library || m_rows[source] == 0 || source == m_source) return;
  uint32_t count = 0;
  const char (*codes)[17] = Codes(source, &count);
  const int row = m_rows[source] - 1;
  if (!codes || static_cast<uint32_t>(row) >= count) return;
  m_source = source;
  m_practicePreview = source == kSourcePractice;
  m_previewed = codes[row];
  PublishTrialList(codes, count, row);
  DrawPreview(0);
}

void CDlgTaskParTrl::OnPageNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  switch (event.GetCode()) {
    case kCodePractice:
      SelectForPreview(kSourcePractice, row);
      break;
    case kCodeTest:
      SelectForPreview(kSourceTest, row);
      break;
    case kCodeDummy:
      SelectForPreview(kSourceDummy, row);
      break;
    default:
      event.Skip();
  }
}

void CDlgTaskParTrl::StepTrials(int delta) {
  if (!m_task || !IsEditable()) return;
  if (!qel::StepTrials(*m_task, delta)) return;
  Edited();
}

void CDlgTaskParTrl::MoveScale(int scrollCode, int sliderPosition) {
  if (!m_task || !IsEditable()) return;
  const int step = ScaleToSlider(sliderPosition);
  if (!ScaleMoveTaken(scrollCode, m_scaleStep, step) || step == m_scaleStep) return;
  m_scaleStep = step;
  m_task->w.TaskSSS = WithScaleStep(m_task->w.TaskSSS, step);
  UpdateControls();
  SetModified(true);
  CDlgTaskParPage::UpdatePage();
  SetText(kIdScaleText, ScaleText(m_task->w.TaskSSS));
  DrawPreview(1);
}

}  // namespace qel
