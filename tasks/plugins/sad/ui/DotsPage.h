// The parameter page of "Sustained Attention Dots" (template 152): the dot
// set (TaskParam word 1) with pictures of its dot counts, the balance (word
// 2), the series number switch (word 0) and the series and task lengths.
#pragma once

#include "tasks/layers/sustained/ui/SustainedPage.h"

class wxCommandEvent;
class wxWindow;

namespace qel {

class CTaskPageDots final : public CSustainedPage {
 public:
  static constexpr int kIdDotsGroup = 1137;
  static constexpr int kIdSet345 = 1131;
  static constexpr int kIdSet456 = 1132;
  static constexpr int kIdBalanceGroup = 1138;
  static constexpr int kIdPresentation = 1133;
  static constexpr int kIdResponse = 1134;
  static constexpr int kIdSeriesLength = 1001;
  static constexpr int kIdTaskLength = 1002;
  // The six pictures beside the dot sets (controls 1139..1144) and the ICON
  // resources they show: 3, 4 and 5 dots, then 4, 5 and 6 dots.
  static constexpr int kIcons = 6;
  static constexpr int kIdFirstIcon = 1139;
  static constexpr unsigned kIconIds[kIcons] = {149, 150, 151, 150, 151, 152};
  static constexpr int kWordDotSet = 1;
  static constexpr int kWordBalance = 2;

  CTaskPageDots() = default;

  int DotSet() const { return m_dotSet; }
  int Balance() const { return m_balance; }

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnDotSet(wxCommandEvent& event);
  void OnBalance(wxCommandEvent& event);
  // The page member and, with a bound model task, its word.
  void Choose(int* member, int word, int value);

  int m_balance = 0;
  int m_dotSet = 0;
  bool m_showControls = true;
};

}  // namespace qel
