// The response-sequence graph of a tapping assessment: per part the left
// and right key's taps as bars on a time axis (blue valid, red not), the
// overlaps of the two hands with their percentages, the tap periods in a
// band below, and the valid taps counted; the shown seconds and the
// overlap criteria can be changed.
#pragma once

#include <array>

#include <wx/dialog.h>

#include "scores/ResponseSequence.h"

class wxCheckBox;
class wxPanel;
class wxStaticText;
class wxDC;

namespace qel {

class CDlgTaskParSpecTpGr : public wxDialog {
 public:
  CDlgTaskParSpecTpGr(wxWindow* parent, const IExpModelTask* task, const ITaskRunData* runData);

  CResponseSequence& Sequence() { return m_sequence; }
  void SetUseCriteria(bool on);
  void StepFrom(int step);
  void StepTo(int step);
  wxPanel* Row(int part, int key) { return m_rows[static_cast<size_t>(part * 2 + key)]; }

 private:
  void Redraw();
  void DrawRow(wxDC& dc, const wxSize& size, const CIntervalList& list, const CIntervalList* other) const;
  void DrawPeriods(wxDC& dc, const wxSize& size, const CIntervalList& list) const;

  CResponseSequence m_sequence;
  bool m_useCriteria = false;
  std::array<wxPanel*, 8> m_rows{};
  std::array<wxPanel*, 4> m_bands{};
  std::array<wxStaticText*, 4> m_counts{};
  std::array<wxStaticText*, 4> m_times{};
  wxStaticText* m_allow = nullptr;
  wxStaticText* m_demand = nullptr;
  wxStaticText* m_from = nullptr;
  wxStaticText* m_to = nullptr;
  wxCheckBox* m_criteria = nullptr;
};

}  // namespace qel
