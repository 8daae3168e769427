// Looking up and working the controls of a window in window tests.
#pragma once

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/window.h>

namespace qel {

namespace test {

// The child window `id` of `parent` as a T; nullptr when there is none or
// it is of another kind.
template <typename T>
T* FindControl(wxWindow* parent, int id) {
  return parent ? dynamic_cast<T*>(parent->FindWindow(id)) : nullptr;
}

// What a user's click or choice does: the control takes the value, then its
// handlers hear the event with it.
inline void SendControlEvent(wxWindow* control, wxEventType type, int value) {
  wxCommandEvent event(type, control->GetId());
  event.SetEventObject(control);
  event.SetInt(value);
  control->ProcessWindowEvent(event);
}

inline void Choose(wxRadioButton* button) {
  button->SetValue(true);
  SendControlEvent(button, wxEVT_RADIOBUTTON, 1);
}

inline void Tick(wxCheckBox* box, bool on) {
  box->SetValue(on);
  SendControlEvent(box, wxEVT_CHECKBOX, on ? 1 : 0);
}

inline void Select(wxComboBox* combo, int index) {
  combo->SetSelection(index);
  SendControlEvent(combo, wxEVT_COMBOBOX, index);
}

inline void Slide(wxSlider* slider, int value) {
  slider->SetValue(value);
  SendControlEvent(slider, wxEVT_SLIDER, value);
}

}  // namespace test

}  // namespace qel
