// The display object: creating the full-screen and windowed modes and freeing them.
#include <wx/frame.h>
#include <wx/thread.h>
#include <wx/window.h>

#include <cerrno>

#include "display/ui/DDDisplay.h"

namespace qel {

using namespace qel::display;

namespace {

// What the failed window creation left in errno (cleared before it), else EIO.
int WindowError() { return errno ? errno : EIO; }

}  // namespace

// The session of a mode on display i: the first step of every mode.
bool CDDDisplay::CreateDevice(int i) {
  if (!ValidIndex(i)) return false;
  // One mode at a time: a mode still active is freed first.
  if (m_bDevice || m_wnd.GetWindow()) Free();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_generation;
    m_frameShownNs.store(0);
    m_bDevice = true;
    m_pfnRestore = nullptr;
    m_pRestoreContext = nullptr;
  }
  m_nFrontContent = kNoContent;
  m_nBackContent = kNoContent;
  m_dwAttr = 0;
  m_hResult = 0;
  return true;
}

void CDDDisplay::SelectDisplay(int i, bool windowed) {
  if (m_displays[i].primary) {
    m_dwAttr |= kDispAttrPrimary;
  } else {
    m_dwAttr &= ~kDispAttrPrimary;
  }
  if (windowed) {
    m_dwAttr |= kDispAttrWindowed;
  } else {
    m_dwAttr &= ~kDispAttrWindowed;
  }
  m_nSelected = i;
  m_wnd.GetBreakDialog().SetState(kBreakRequested);
  ClearSurfaceTable();
}

void CDDDisplay::ClearSurfaceTable() {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (int n = 0; n < kSurfaceCount; ++n) m_slots[n] = SurfaceSlot();
  for (int n = kSurfaceCount; n < 10; ++n) {
    m_slots[n].bitmap = nullptr;
    m_slots[n].dib = nullptr;
    m_slots[n].flags = 0;
  }
}

void CDDDisplay::DDWindowInit(bool breaksAllowed) {
  if (breaksAllowed) {
    m_dwAttr |= kDispAttrBreaks;
  } else {
    m_dwAttr &= ~kDispAttrBreaks;
  }
  UpdateBounds();
  m_wnd.m_bBreakEnabled = breaksAllowed;
  m_wnd.m_bSpaceBreaks = true;
  m_wnd.m_bClickActivate = IsWindowed();
  m_wnd.m_bFullScreen = !IsWindowed();
  m_wnd.m_bCursorShow = (m_dwAttr & kDispAttrCursor) != 0;
  m_wnd.m_bMouseTracking = false;
  m_nScale = 10000;
  m_wnd.ApplyCursor();
}

bool CDDDisplay::CreateFullScreen(int i, uint32_t flags) {
  if (!wxIsMainThread()) return RunOnUiThread([=, this] { return CreateFullScreen(i, flags) ? 1 : 0; }, 0) != 0;
  if (!CreateDevice(i)) return false;
  m_dwAttr |= flags & (kDispAttrFlip | kDispAttrCursor);
  SelectDisplay(i, false);
  m_wnd.m_bCursorShow = (m_dwAttr & kDispAttrCursor) != 0;
  m_wnd.m_bFullScreen = true;

  // A borderless top-most window over the whole monitor; the desktop keeps its mode.
  const QelRect& mr = m_displays[i].monitorRect;
  errno = 0;
  if (!m_wnd.CreateOwn(wxRect(mr.left, mr.top, mr.Width(), mr.Height()), false, true, m_strTitle)) {
    m_hResult = WindowError();
    ErrMessage(m_hResult, "CreateWndFullScreen", true);
    return false;
  }
  if (!CreateBuffers(m_displays[i].width, m_displays[i].height, "CreateFullScreen CreateSurface",
                     "CreateFullScreen GetAttachedSurface")) {
    return false;
  }
  DDWindowInit(true);
  return true;
}

bool CDDDisplay::CreateWindowed(int i, int width, int height) {
  if (!wxIsMainThread()) {
    return RunOnUiThread([=, this] { return CreateWindowed(i, width, height) ? 1 : 0; }, 0) != 0;
  }
  if (!ValidIndex(i)) return false;
  const bool caption = width != 0 && height != 0;
  if (!caption) {
    width = m_displays[i].width;
    height = m_displays[i].height;
  }
  if (!CreateDevice(i)) return false;
  SelectDisplay(i, true);
  m_wnd.m_bFullScreen = false;

  const QelRect& mr = m_displays[i].monitorRect;
  errno = 0;
  if (!m_wnd.CreateOwn(wxRect(mr.left, mr.top, width, height), caption, false, m_strTitle)) {
    m_hResult = WindowError();
    ErrMessage(m_hResult, "CreateWndWindowed", true);
    return false;
  }
  if (!AttachExternal(m_wnd.GetWindow(), width, height)) return false;
  DDWindowInit(false);
  return true;
}

bool CDDDisplay::AttachWindowed(int i, wxWindow* window) {
  if (!window) return false;
  if (!wxIsMainThread()) return RunOnUiThread([=, this] { return AttachWindowed(i, window) ? 1 : 0; }, 0) != 0;
  if (!CreateDevice(i)) return false;
  SelectDisplay(i, true);
  m_wnd.m_bFullScreen = false;
  if (!AttachExternal(window, 0, 0)) return false;
  if (!m_wnd.AttachTo(window)) {
    Free();
    return false;
  }
  m_pWndAttached = window;
  DDWindowInit(false);
  return true;
}

bool CDDDisplay::AttachExternal(wxWindow* window, int width, int height) {
  if (width == 0 || height == 0) {
    const wxSize s = window->GetClientSize();
    width = s.x;
    height = s.y;
  }
  return CreateBuffers(width, height, "AttachExternal CreateSurface Front", "AttachExternal CreateSurface Back1");
}

// The front and back buffers of a mode; a failure is reported under the
// given step and frees the display.
bool CDDDisplay::CreateBuffers(int width, int height, const char* stepFront, const char* stepBack) {
  // The front in shared memory from the start when the window takes frames that way.
  OpenSharedFrames();
  int error = 0;
  SurfacePtr front = m_shm.MakeFrame(width, height);
  if (!front) front = CRasterSurface::Create(width, height, 0, 0, &error);
  SurfacePtr back = front ? CRasterSurface::Create(width, height, 0, 0, &error) : nullptr;
  if (!back) {
    m_hResult = error;
    ErrMessage(error, front ? stepBack : stepFront, true);
    return false;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  m_slots[8].surface = std::move(front);
  m_slots[9].surface = std::move(back);
  return true;
}

void CDDDisplay::Free() {
  // Waiters for the user-interface thread are released first, so that a
  // Present or a command in flight never outlives the mode.
  m_tickets.CancelAll();
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_generation;
    m_frameShownNs.store(0);
    for (SurfaceSlot& s : m_slots) s = SurfaceSlot();
    m_spareFrame.reset();
    m_bDevice = false;
    m_pfnRestore = nullptr;
    m_pRestoreContext = nullptr;
  }
  if (m_wnd.GetWindow()) {
    const auto release = [this] {
      m_shm.Close();
      m_vblank.Close();
      m_shmTried = false;
      m_presentPath = nullptr;
      m_wnd.Release();
      return intptr_t{1};
    };
    if (wxIsMainThread()) {
      release();
    } else {
      RunOnUiThread(release, 0);
    }
  }
  m_pWndAttached = nullptr;
  m_dwAttr &= ~(kDispAttrPrimary | kDispAttrWindowed);
  m_nSelected = -1;
  m_wnd.GetBreakDialog().SetState(kBreakRequested);
}

}  // namespace qel
