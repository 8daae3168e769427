#include "display/DisplayTable.h"

namespace qel {

namespace display {

int BuildDisplayTable(const std::vector<MonitorInfo>& monitors, const std::string& server, int screenDepth,
                      DisplayEntry table[kMaxDisplays]) {
  int count = 0;
  for (const MonitorInfo& m : monitors) {
    if (count == kMaxDisplays) break;
    DisplayEntry& e = table[count];
    e = DisplayEntry();
    const std::string number = std::to_string(count + 1);
    e.description = "Display " + number + " on " + (server.empty() ? std::string(":0") : server);
    e.driverName = "x11";
    e.monitor = count + 1;
    e.monitorName = m.name.empty() ? "Monitor " + number : m.name;
    e.monitorRect = m.geometry;
    e.workRect = m.workArea;
    e.primary = m.primary;
    e.width = m.modeWidth > 0 ? m.modeWidth : m.geometry.Width();
    e.height = m.modeHeight > 0 ? m.modeHeight : m.geometry.Height();
    e.bitsPerPixel = m.modeDepth > 0 ? m.modeDepth : screenDepth;
    ++count;
  }
  return count;
}

}  // namespace display

}  // namespace qel
