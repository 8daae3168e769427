// The testee's response buttons on the device the workstation is set up
// for (a QelButtonType: the keyboard, a mouse, a game pad or a joystick),
// and which one of that kind. Selected and acquired on the user-interface
// thread before a run; its mask is read at every beat during the run.
#pragma once

#include <cstdint>
#include <string>

#include "engine/input/InputTypes.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

class CResponseDevice {
 public:
  CResponseDevice() = default;
  virtual ~CResponseDevice() = default;

  // Takes type 0..3 with an index below the number of listed devices of
  // that type; otherwise none is selected and the result is false.
  bool Select(unsigned type, int index);
  // Creates the selected device for the window; false without a selection,
  // for an index no longer listed, or when the device layer fails.
  bool Acquire(InputWindow window);
  // Releases the device of the selected type; none is selected afterwards.
  void Release();
  // The listed name of the selected device; empty for none.
  std::string GetName() const;
  // One read of the device: the mask of the response buttons down; 0 for
  // no device or a device that cannot be read.
  uint32_t ReadMask();

  int32_t Type() const { return m_type; }
  int32_t Index() const { return m_index; }

 private:
  int32_t m_type = kButtonTypeNone;
  int32_t m_index = -1;
};

}  // namespace qel
