// The table of enumerated displays: what the window system tells about each
// monitor, turned into the display object's entries (at most four).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/DrawContext.h"

namespace qel {

namespace display {

constexpr int kMaxDisplays = 4;

// One monitor as the window system reports it.
struct MonitorInfo {
  QelRect geometry;
  QelRect workArea;
  bool primary = false;
  std::string name;   // may be empty
  int modeWidth = 0;  // 0 when the server reports no mode
  int modeHeight = 0;
  int modeDepth = 0;
};

// One enumerated display.
struct DisplayEntry {
  uint8_t guid[16] = {};         // all zero: there are no separate drivers
  std::string description;       // "Display 1 on :0"
  std::string driverName;        // "x11"
  intptr_t monitor = 0;          // monitor handle: 1-based monitor number
  std::string deviceIdentifier;  // not exposed on Linux: empty
  std::string hostIdentifier;
  std::string monitorName;
  QelRect monitorRect;
  QelRect workRect;
  bool primary = true;
  uint32_t vidMem[6] = {};  // total/free, local total/free, non-local total/free: not exposed, 0
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

// Fills `table` from the monitors (the first kMaxDisplays of them) and
// returns the count. A monitor without a mode takes its geometry as the
// mode size and `screenDepth` as its depth.
int BuildDisplayTable(const std::vector<MonitorInfo>& monitors, const std::string& server, int screenDepth,
                      DisplayEntry table[kMaxDisplays]);

}  // namespace display

}  // namespace qel
