// Looking up the controls of a window in window tests.
#pragma once

#include <wx/window.h>

namespace qel {

namespace test {

// The child window `id` of `parent` as a T; nullptr when there is none or
// it is of another kind.
template <typename T>
T* FindControl(wxWindow* parent, int id) {
  return parent ? dynamic_cast<T*>(parent->FindWindow(id)) : nullptr;
}

}  // namespace test

}  // namespace qel
