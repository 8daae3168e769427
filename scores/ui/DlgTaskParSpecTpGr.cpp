#include "scores/ui/DlgTaskParSpecTpGr.h"

#include <algorithm>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>

namespace qel {

namespace {

constexpr int kRowWidth = 720;
constexpr int kRowHeight = 34;
constexpr int kBandHeight = 28;
constexpr int kRowFontPx = 14;
constexpr int kBandFontPx = 12;
const wxColour kValid(0, 0, 255), kInvalid(255, 0, 0), kValidOverlap(0, 0, 191), kInvalidOverlap(191, 0, 0);
const wxColour kYellow(255, 255, 0);
const char* const kPartNames[kSequenceParts] = {"Part 1: left hand", "Part 2: right hand", "Part 3: hands in turn",
                                                "Part 4: hands together"};

wxFont PixelFont(int px) { return wxFont(wxFontInfo(wxSize(0, px)).Family(wxFONTFAMILY_SWISS).FaceName("Arial")); }

}  // namespace

CDlgTaskParSpecTpGr::CDlgTaskParSpecTpGr(wxWindow* parent, const IExpModelTask* task, const ITaskRunData* runData)
    : wxDialog(parent, wxID_ANY, "Response sequence"), m_sequence(task, runData) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  for (int p = 0; p < kSequenceParts; ++p) {
    auto* head = new wxBoxSizer(wxHORIZONTAL);
    head->Add(new wxStaticText(this, wxID_ANY, kPartNames[p]), 0, wxRIGHT, 12);
    head->Add(new wxStaticText(this, wxID_ANY, "N"), 0, wxRIGHT, 4);
    m_counts[static_cast<size_t>(p)] = new wxStaticText(this, wxID_ANY, "0", wxDefaultPosition, wxSize(40, -1));
    head->Add(m_counts[static_cast<size_t>(p)], 0, wxRIGHT, 12);
    if (p == 2) {
      head->Add(new wxStaticText(this, wxID_ANY, "Allow overlap, %"), 0, wxRIGHT, 4);
      m_allow = new wxStaticText(this, wxID_ANY, "0");
      head->Add(m_allow);
    }
    if (p == 3) {
      head->Add(new wxStaticText(this, wxID_ANY, "Demand at least overlap, %"), 0, wxRIGHT, 4);
      m_demand = new wxStaticText(this, wxID_ANY, "0");
      head->Add(m_demand);
    }
    top->Add(head, 0, wxLEFT | wxTOP, 6);
    for (int k = 0; k < 2; ++k) {
      auto* row = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(kRowWidth, kRowHeight));
      row->SetBackgroundStyle(wxBG_STYLE_PAINT);
      row->Bind(wxEVT_PAINT, [this, row, p, k](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(row);
        const CIntervalList* other = p >= 2 ? &m_sequence.Key(p, 1 - k) : nullptr;
        DrawRow(dc, row->GetClientSize(), m_sequence.Key(p, k), other);
      });
      m_rows[static_cast<size_t>(p * 2 + k)] = row;
      top->Add(row, 0, wxLEFT | wxRIGHT, 6);
      if (k == 0) {
        auto* band = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(kRowWidth, kBandHeight));
        band->SetBackgroundStyle(wxBG_STYLE_PAINT);
        band->Bind(wxEVT_PAINT, [this, band, p](wxPaintEvent&) {
          wxAutoBufferedPaintDC dc(band);
          DrawPeriods(dc, band->GetClientSize(), m_sequence.Band(p));
        });
        m_bands[static_cast<size_t>(p)] = band;
        top->Add(band, 0, wxLEFT | wxRIGHT | wxTOP | wxBOTTOM, 6);
      }
    }
    m_times[static_cast<size_t>(p)] = new wxStaticText(this, wxID_ANY, "0 sec -->>");
    top->Add(m_times[static_cast<size_t>(p)], 0, wxLEFT, 6);
  }
  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  m_criteria = new wxCheckBox(this, wxID_ANY, "Use overlapping criteria");
  m_criteria->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { SetUseCriteria(m_criteria->GetValue()); });
  bottom->Add(m_criteria, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
  auto spin = [&](const char* caption, wxStaticText*& value, auto step) {
    bottom->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    value = new wxStaticText(this, wxID_ANY, "0", wxDefaultPosition, wxSize(28, -1));
    bottom->Add(value, 0, wxALIGN_CENTER_VERTICAL);
    auto* button = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    button->SetRange(-1, 1);
    button->Bind(wxEVT_SPIN_UP, [step](wxSpinEvent& e) { step(-1); e.Veto(); });
    button->Bind(wxEVT_SPIN_DOWN, [step](wxSpinEvent& e) { step(1); e.Veto(); });
    bottom->Add(button, 0, wxRIGHT, 12);
  };
  spin("From time, sec", m_from, [this](int s) { StepFrom(s); });
  spin("To time, sec", m_to, [this](int s) { StepTo(s); });
  bottom->AddStretchSpacer();
  bottom->Add(new wxButton(this, wxID_OK, "Close"));
  top->Add(bottom, 0, wxALL | wxEXPAND, 8);
  SetSizerAndFit(top);
  SetTitle(wxString::FromUTF8(m_sequence.Title()));
  Redraw();
}

void CDlgTaskParSpecTpGr::SetUseCriteria(bool on) {
  m_useCriteria = on;
  m_criteria->SetValue(on);
  m_sequence.RebuildBimanual(on);
  Redraw();
}

void CDlgTaskParSpecTpGr::StepFrom(int step) {
  m_sequence.StepFrom(step);
  Redraw();
}

void CDlgTaskParSpecTpGr::StepTo(int step) {
  m_sequence.StepTo(step);
  Redraw();
}

void CDlgTaskParSpecTpGr::Redraw() {
  for (int p = 0; p < kSequenceParts; ++p) {
    m_counts[static_cast<size_t>(p)]->SetLabel(std::to_string(m_sequence.ValidTaps(p)));
    m_times[static_cast<size_t>(p)]->SetLabel(std::to_string(m_sequence.From()) + " sec -->>");
  }
  m_allow->SetLabel(std::to_string(m_sequence.AllowOverlap()));
  m_demand->SetLabel(std::to_string(m_sequence.DemandOverlap()));
  m_from->SetLabel(std::to_string(m_sequence.From()));
  m_to->SetLabel(std::to_string(m_sequence.To()));
  for (wxPanel* w : m_rows) w->Refresh();
  for (wxPanel* w : m_bands) w->Refresh();
}

void CDlgTaskParSpecTpGr::DrawRow(wxDC& dc, const wxSize& size, const CIntervalList& list,
                                  const CIntervalList* other) const {
  dc.SetBackground(*wxBLACK_BRUSH);
  dc.Clear();
  dc.SetFont(PixelFont(kRowFontPx));
  const int h = dc.GetTextExtent("0").y;
  const int grid = std::max(1, size.y - h + 1);
  const bool left = list.GetMask() == CIntervalList::kLeftChannel;
  const int from = m_sequence.From();
  const int to = m_sequence.To();
  auto x = [&](int32_t t) { return SequenceX(t, 0, size.x, from, to); };
  dc.SetPen(*wxTRANSPARENT_PEN);
  struct Label {
    int32_t start;
    int32_t percent;
  };
  std::vector<Label> labels;
  for (int i = 0; i < list.GetCount(); ++i) {
    const int32_t on = list.GetOnset(i);
    const int32_t off = list.GetOffset(i);
    const bool valid = list.IsValid(i);
    dc.SetBrush(wxBrush(valid ? kValid : kInvalid));
    dc.DrawRectangle(x(on), 0, std::max(1, x(off) - x(on)), size.y);
    if (!other) continue;
    int32_t c = on;
    for (int k = other->FindFirstOverlap(c, off); k >= 0; k = other->FindFirstOverlap(c, off)) {
      int32_t low = 0, high = 0, percent = 0;
      if (GetOverlapPercent(other->GetOnset(k), other->GetOffset(k), c, off, low, high, percent) < 1) break;
      labels.push_back({low, percent});
      dc.SetBrush(wxBrush(valid ? kValidOverlap : kInvalidOverlap));
      dc.DrawRectangle(x(low), 0, std::max(1, x(high) - x(low)), size.y);
      c = high + 1;
    }
  }
  dc.SetTextForeground(*wxWHITE);
  dc.SetBackgroundMode(wxPENSTYLE_TRANSPARENT);
  for (const Label& l : labels) {
    const int y = left ? size.y - h : 0;
    dc.DrawText(std::to_string(l.percent) + "%", x(l.start) + 1, y);
  }
  dc.SetPen(*wxWHITE_PEN);
  const int window = m_sequence.Window();
  for (int k = 0; k <= window; ++k) {
    const int tx = window > 0 ? k * size.x / window : k * size.x;
    if (left) {
      dc.DrawLine(tx, 0, tx, grid);
    } else {
      dc.DrawLine(tx, size.y - grid, tx, size.y);
    }
  }
}

void CDlgTaskParSpecTpGr::DrawPeriods(wxDC& dc, const wxSize& size, const CIntervalList& list) const {
  dc.SetBackground(*wxBLACK_BRUSH);
  dc.Clear();
  dc.SetFont(PixelFont(kBandFontPx));
  dc.SetPen(wxPen(kYellow));
  dc.SetTextForeground(*wxWHITE);
  dc.SetBackgroundMode(wxPENSTYLE_TRANSPARENT);
  const int from = m_sequence.From();
  const int to = m_sequence.To();
  auto x = [&](int32_t t) { return SequenceX(t, 0, size.x, from, to); };
  for (int i = 1; i < list.GetCount(); ++i) {
    const std::string text = std::to_string(list.GetPeriod(i));
    const wxSize extent = dc.GetTextExtent(text);
    const int tick = std::max(1, (size.y - extent.y + 1) / 2);
    const int at = x(list.GetOnset(i));
    const uint8_t flag = list.GetFlag(i);
    if (flag & kIntervalLeft) dc.DrawLine(at, 0, at, tick);
    if (flag & kIntervalRight) dc.DrawLine(at, size.y - tick, at, size.y);
    const int before = x(list.GetOnset(i) - list.GetPeriod(i));
    dc.DrawText(text, (before + at) / 2 - extent.x / 2, size.y - tick - extent.y);
  }
}

}  // namespace qel
