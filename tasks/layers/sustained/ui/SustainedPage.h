// The part of the sustained-attention tasks' parameter pages that they
// share: the check box "Show current series No." for TaskParam word 0 and,
// where the page has them, two read-only edits with the series length (in
// trials) and the task length (in series).
#pragma once

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;
class wxSizer;
class wxWindow;

namespace qel {

class CSustainedPage : public CTaskPage {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdShowSeries = 1136;
  static constexpr int kWordShowSeries = 0;

  CSustainedPage() : CTaskPage(kTemplate) {}

  // What the read-only edits show (set by the task when a run is prepared).
  void SetLengths(unsigned seriesLength, unsigned taskLength);
  unsigned SeriesLength() const { return m_seriesLength; }
  unsigned TaskLength() const { return m_taskLength; }

 protected:
  // Adds the check box and, for ids other than 0, the two read-only edits
  // with their labels to the sizer of the panel.
  void AddSeriesControls(wxWindow* panel, wxSizer* sizer, int seriesLengthId, int taskLengthId);
  // The check box from word 0, enabled for editing; the edits from the lengths.
  void RefreshSeriesControls();

 private:
  void OnShowSeries(wxCommandEvent& event);

  unsigned m_seriesLength = 0;
  unsigned m_taskLength = 0;
  int m_seriesLengthId = 0;
  int m_taskLengthId = 0;
};

}  // namespace qel
