// The display object: construction, enumeration, look-ups, texts and error reports.
#include "display/ui/DDDisplay.h"

#include <sys/sysinfo.h>
#include <wx/display.h>
#include <wx/gdicmn.h>
#include <wx/thread.h>
#include <wx/utils.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "common/TextOrEmpty.h"
#include "display/DisplayResult.h"
#include "display/DisplayText.h"
#include "display/ui/DisplayMessage.h"

namespace qel {

using namespace qel::display;

CDDDisplay::CDDDisplay() : m_wnd(this) {}

CDDDisplay::~CDDDisplay() { Free(); }

bool CDDDisplay::DisplayEnum() {
  if (!wxIsMainThread()) return RunOnUiThread([this] { return DisplayEnum() ? 1 : 0; }, 0) != 0;
  // A display in use stays selected: its size is still what default-size
  // surfaces, the bounds and dialog placement need.
  bool inUse;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    inUse = m_bDevice;
  }
  if (!inUse) m_nSelected = -1;
  std::vector<MonitorInfo> monitors;
  for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
    const wxDisplay display(i);
    if (!display.IsOk()) continue;
    MonitorInfo m;
    const wxRect g = display.GetGeometry();
    const wxRect w = display.GetClientArea();
    m.geometry = QelRect{g.x, g.y, g.x + g.width, g.y + g.height};
    m.workArea = QelRect{w.x, w.y, w.x + w.width, w.y + w.height};
    m.primary = display.IsPrimary();
    m.name = display.GetName().utf8_string();
    // The desktop's mode; some servers report none (0 x 0).
    const wxVideoMode mode = display.GetCurrentMode();
    m.modeWidth = mode.GetWidth();
    m.modeHeight = mode.GetHeight();
    m.modeDepth = mode.GetDepth();
    monitors.push_back(m);
  }
  const char* server = std::getenv("DISPLAY");
  // Built aside and put in place at once: other threads read the entry in use.
  DisplayEntry table[kMaxDisplays];
  const int count = BuildDisplayTable(monitors, TextOrEmpty(server), wxDisplayDepth(), table);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::copy(std::begin(table), std::end(table), std::begin(m_displays));
    m_nDisplays = count;
  }
  if (!ValidIndex(m_nSelected)) m_nSelected = -1;
  return count > 0;
}

const CDDDisplay::DisplayEntry* CDDDisplay::GetDisplayEntry(int i) const {
  return ValidIndex(i) ? &m_displays[i] : nullptr;
}

int CDDDisplay::GetPrimary() const {
  for (int i = 0; i < m_nDisplays; ++i) {
    if (m_displays[i].primary) return i;
  }
  return -1;
}

bool CDDDisplay::IsPrimary(int i) const { return ValidIndex(i) && m_displays[i].primary; }
int CDDDisplay::GetResolutionX(int i) const { return ValidIndex(i) ? m_displays[i].width : 0; }
int CDDDisplay::GetResolutionY(int i) const { return ValidIndex(i) ? m_displays[i].height : 0; }
int CDDDisplay::GetBisPerPixel(int i) const { return ValidIndex(i) ? m_displays[i].bitsPerPixel : 0; }
uint32_t CDDDisplay::VidMem(int i, int which) const { return ValidIndex(i) ? m_displays[i].vidMem[which] : 0; }
std::string CDDDisplay::GetDisplayName(int i) const { return ValidIndex(i) ? m_displays[i].description : ""; }
std::string CDDDisplay::GetMonitorName(int i) const { return ValidIndex(i) ? m_displays[i].monitorName : ""; }
intptr_t CDDDisplay::GetDisplayMonitor(int i) const { return ValidIndex(i) ? m_displays[i].monitor : 0; }

std::string CDDDisplay::StringDisplayGUID(int i) const {
  return ValidIndex(i) ? FormatGuid(m_displays[i].guid) : std::string();
}

void CDDDisplay::SetInstResource(QelResModule module) {
  m_hInstResource = module;
  m_wnd.m_hInstResource = module;
}

void CDDDisplay::SetFocus() {
  if (wxWindow* w = m_wnd.GetWindow()) w->SetFocus();
}

void CDDDisplay::GetRect(QelRect& rect, int kind) {
  rect = QelRect();
  wxWindow* w = m_wnd.GetWindow();
  switch (kind) {
    case 0:
      if (ValidIndex(m_nSelected)) rect = m_displays[m_nSelected].monitorRect;
      break;
    case 1:
      if (w) {
        const wxRect r = w->GetScreenRect();
        rect = QelRect{r.x, r.y, r.x + r.width, r.y + r.height};
      }
      break;
    case 2:
      if (w) {
        const wxSize s = w->GetClientSize();
        rect = QelRect{0, 0, s.x, s.y};
      }
      break;
    case 3:
    case 4: {
      std::lock_guard<std::mutex> lock(m_mutex);
      rect = kind == 3 ? m_rcClient : m_rcScreen;
      break;
    }
    default:
      break;
  }
}

bool CDDDisplay::GetMemAvailable(uint32_t& total, uint32_t& free, bool /*local*/) {
  total = 0;
  free = 0;
  // Linux does not tell how much video memory there is: a session reports 0.
  return m_bDevice;
}

std::string CDDDisplay::StringMem(uint32_t bytes) { return FormatMem(bytes); }

bool CDDDisplay::StringMemAvailable(std::string& total, std::string& free, bool local) {
  uint32_t t = 0, f = 0;
  if (!GetMemAvailable(t, f, local)) return false;
  total = FormatMemGrouped(t);
  free = FormatMemGrouped(f);
  return true;
}

bool CDDDisplay::StringDDCapsHardware(std::string& hardware, std::string& further, uint32_t& memTotal,
                                      uint32_t& memFree, uint32_t& maxVideoPorts) {
  hardware.clear();
  further.clear();
  memTotal = 0;
  memFree = 0;
  maxVideoPorts = 0;
  // No graphics driver capabilities are exposed: both caps words are 0.
  hardware = HardwareCapsWords(0);
  further = FurtherCapsWords(0);
  return true;
}

std::string CDDDisplay::StringErrMessageLast() const { return ResultName(m_hResult); }

void CDDDisplay::ErrMessageLast(const char* step, bool free) { ErrMessage(m_hResult, step, free); }

void CDDDisplay::ErrMessage(int result, const char* step, bool free) {
  const std::string text = ErrorReport(step, ResultName(result));
  if (free) Free();
  ShowMessage(text, "Error!", kMsgIconStop, m_wnd.GetWindow());
}

void CDDDisplay::ErrMemory(int result) {
  if (result != ENOMEM) return;  // there is no separate video memory to report
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return;
  const unsigned long long unit = info.mem_unit ? info.mem_unit : 1;
  auto mb = [unit](unsigned long long v) { return static_cast<int>((v * unit) >> 20); };
  char text[160];
  std::snprintf(text, sizeof text, "TotalPhys=%d, AvailPhys=%d, AvailPageFile=%d, AvailVirtual=%d", mb(info.totalram),
                mb(info.freeram), mb(info.freeswap), mb(static_cast<unsigned long long>(info.freeram) + info.freeswap));
  ShowMessage(text, "Error!", kMsgIconStop, m_wnd.GetWindow());
}

}  // namespace qel
