// Tapping's parameter page (template 152): the Alt/Sync counter switch
// (TaskParam word 0) and the two overlap criteria (words 1 and 2), each
// slider with its value and a picture of the criterion to its right.
#pragma once

#include <cstdint>

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;
class wxWindow;

namespace qel {

class CTaskPageTapping final : public CTaskPage {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdCounters = 1136;
  static constexpr int kIdAltSlider = 1008;
  static constexpr int kIdSyncSlider = 1009;
  static constexpr int kIdAltLabel = 1004;
  static constexpr int kIdSyncLabel = 1014;
  // The two criterion pictures.
  static constexpr int kIdAltPicture = 1210;
  static constexpr int kIdSyncPicture = 1211;

  static constexpr int kAltMin = 0;
  static constexpr int kAltMax = 40;
  static constexpr int kAltDefault = 20;
  static constexpr int kSyncMin = 60;
  static constexpr int kSyncMax = 100;
  static constexpr int kSyncDefault = 60;

  CTaskPageTapping() : CTaskPage(kTemplate) {}

  // The criterion a word holds, within its slider's range (the default
  // without a bound model task).
  int AltCriterion() const;
  int SyncCriterion() const;

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnCounters(wxCommandEvent& event);
  void OnAltSlider(wxCommandEvent& event);
  void OnSyncSlider(wxCommandEvent& event);
  int Criterion(int word, int low, int high, int fallback) const;
};

}  // namespace qel
