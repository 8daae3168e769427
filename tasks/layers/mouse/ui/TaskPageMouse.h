// The parameter page of the mouse tasks: the mouse sensitivity and the
// pixel size of the screen (TaskParam word 0). On its own it uses the
// framework's default template; the tasks' pages (template 152) derive from
// it, put the mouse controls first and add their own below.
#pragma once

#include <cstdint>

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;
class wxSizer;
class wxWindow;

namespace qel {

class CTaskPageMouse : public CTaskPage {
 public:
  static constexpr int kIdNegative = 1131;
  static constexpr int kIdEqual = 1132;
  static constexpr int kIdPositive = 1133;
  static constexpr int kIdPixelSlider = 1137;
  static constexpr int kIdPixelLabel = 1138;
  static constexpr int kPixelTicks = 5;

  explicit CTaskPageMouse(int templateId = kDefaultTemplate) : CTaskPage(templateId) {}

  // The pixel size and sensitivity the bound model task holds (the defaults
  // without one or for values out of range).
  int32_t PixelSize() const;
  int32_t Sensitivity() const;

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

  // The "Mouse sensitivity" group and the pixel-size slider with its label,
  // their handlers bound; the caller places the sizer.
  wxSizer* BuildMouseControls(wxWindow* panel);
  // The mouse controls from word 0; derived pages call it from theirs.
  void RefreshMouseControls();

  // Control `id` of the page's window as a T, or null.
  template <typename T>
  T* Control(int id) const {
    wxWindow* panel = GetWindow();
    return panel ? dynamic_cast<T*>(FindChild(panel, id)) : nullptr;
  }

 private:
  static wxWindow* FindChild(wxWindow* panel, int id);
  void OnSensitivity(wxCommandEvent& event);
  void OnPixelSize(wxCommandEvent& event);
};

}  // namespace qel
