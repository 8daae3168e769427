#include "display/ui/XShmPresenter.h"

// wx first: the X headers define macros (None, Status, ...) that wx must not see.
#include <wx/window.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace qel {

namespace display {

namespace {

constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;
constexpr int kPixelBytes = 4;
constexpr int kShmMode = 0600;

}  // namespace

// Client-side GDK windows are walked up to
// their native ancestor (none is made native: that would stop GTK drawing).
GdkWindow* NativeWindowOf(wxWindow* window, int* x, int* y) {
  *x = 0;
  *y = 0;
  GdkWindow* w = window ? window->GTKGetDrawingWindow() : nullptr;
  while (w && !gdk_window_has_native(w)) {
    int dx = 0;
    int dy = 0;
    gdk_window_get_position(w, &dx, &dy);
    *x += dx;
    *y += dy;
    w = gdk_window_get_parent(w);
  }
  return w;
}

struct CXShmPresenter::Shared {
  std::mutex mutex;
  Display* display = nullptr;  // null once closed
  Visual* visual = nullptr;
  int depth = 0;
  uint64_t generation = 0;                // one per opening
  std::vector<XShmSegmentInfo> attached;  // segments the server holds
  std::vector<XShmSegmentInfo> released;  // of those, the ones whose frame is gone

  // Detaches the released segments (UI thread, lock held).
  void DetachReleased() {
    for (XShmSegmentInfo& info : released) {
      XShmDetach(display, &info);
      for (auto it = attached.begin(); it != attached.end(); ++it) {
        if (it->shmseg == info.shmseg) {
          attached.erase(it);
          break;
        }
      }
    }
    released.clear();
  }
};

namespace {

// The shared memory of one frame.
struct ShmMemory {
  std::shared_ptr<CXShmPresenter::Shared> shared;
  XShmSegmentInfo info{};
  XImage* image = nullptr;  // made at the first put
  uint64_t generation = 0;  // the opening it was made in
  bool attached = false;
  int width = 0;
  int height = 0;
  int stride = 0;

  ~ShmMemory() {
    {
      std::lock_guard<std::mutex> lock(shared->mutex);
      // The server lets go of the segment at the next put or at the close.
      if (attached && shared->display && generation == shared->generation) shared->released.push_back(info);
    }
    if (image) {
      image->data = nullptr;  // the segment is not the image's to free
      XDestroyImage(image);
    }
    if (!attached) shmctl(info.shmid, IPC_RMID, nullptr);
    shmdt(info.shmaddr);
  }
};

}  // namespace

CXShmPresenter::CXShmPresenter() : m_shared(std::make_shared<Shared>()) {}

CXShmPresenter::~CXShmPresenter() {
  // No request here: the toolkit's connection may be gone already, and the
  // server lets go of the segments of a connection that ends by itself.
  std::lock_guard<std::mutex> lock(m_shared->mutex);
  m_shared->display = nullptr;
  ++m_shared->generation;
}

bool CXShmPresenter::Open(wxWindow* window) {
  Close();
  int x = 0;
  int y = 0;
  GdkWindow* native = NativeWindowOf(window, &x, &y);
  if (!native || !GDK_IS_X11_WINDOW(native)) return false;
  GdkDisplay* gdkDisplay = gdk_window_get_display(native);
  Display* display = GDK_DISPLAY_XDISPLAY(gdkDisplay);
  if (!display || !XShmQueryExtension(display)) return false;
  GdkVisual* gdkVisual = gdk_window_get_visual(native);
  Visual* visual = gdkVisual ? gdk_x11_visual_get_xvisual(gdkVisual) : nullptr;
  const int depth = gdkVisual ? gdk_visual_get_depth(gdkVisual) : 0;
  // The frames' pixels are 0x00RRGGBB: only a window of that format takes them as they are.
  if (!visual || depth != 24 || visual->red_mask != kRedMask || visual->green_mask != kGreenMask ||
      visual->blue_mask != kBlueMask) {
    return false;
  }
  gdk_x11_display_error_trap_push(gdkDisplay);
  // No exposure events for the puts: the toolkit would only have to read them.
  XGCValues values{};
  values.graphics_exposures = False;
  GC gc = XCreateGC(display, gdk_x11_window_get_xid(native), GCGraphicsExposures, &values);
  if (gdk_x11_display_error_trap_pop(gdkDisplay) != 0 || !gc) return false;
  std::lock_guard<std::mutex> lock(m_shared->mutex);
  m_shared->display = display;
  m_shared->visual = visual;
  m_shared->depth = depth;
  ++m_shared->generation;
  m_window = window;
  m_gc = reinterpret_cast<unsigned long>(gc);
  return true;
}

void CXShmPresenter::Close() {
  std::lock_guard<std::mutex> lock(m_shared->mutex);
  if (!m_shared->display) return;
  Display* display = m_shared->display;
  for (XShmSegmentInfo& info : m_shared->attached) XShmDetach(display, &info);
  m_shared->attached.clear();
  m_shared->released.clear();
  if (m_gc) XFreeGC(display, reinterpret_cast<GC>(m_gc));
  XSync(display, False);
  m_gc = 0;
  m_window = nullptr;
  m_shared->display = nullptr;
  ++m_shared->generation;
}

bool CXShmPresenter::IsOpen() const {
  std::lock_guard<std::mutex> lock(m_shared->mutex);
  return m_shared->display != nullptr;
}

SurfacePtr CXShmPresenter::MakeFrame(int width, int height) {
  if (!IsOpen() || width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) return nullptr;
  auto memory = std::make_shared<ShmMemory>();
  memory->shared = m_shared;
  {
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    memory->generation = m_shared->generation;
  }
  memory->width = width;
  memory->height = height;
  memory->stride = width * kPixelBytes;
  const size_t bytes = static_cast<size_t>(memory->stride) * height;
  memory->info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | kShmMode);
  if (memory->info.shmid < 0) return nullptr;
  void* address = shmat(memory->info.shmid, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(memory->info.shmid, IPC_RMID, nullptr);
    memory->info.shmid = -1;
    return nullptr;
  }
  memory->info.shmaddr = static_cast<char*>(address);
  memory->info.readOnly = True;
  unsigned char* data = reinterpret_cast<unsigned char*>(memory->info.shmaddr);
  const int stride = memory->stride;
  return CRasterSurface::CreateOn(data, width, height, stride, std::move(memory));
}

bool CXShmPresenter::Put(const CRasterSurface& frame) {
  auto memory = std::static_pointer_cast<ShmMemory>(frame.Memory());
  std::lock_guard<std::mutex> lock(m_shared->mutex);
  Display* display = m_shared->display;
  if (!memory || memory->shared != m_shared || memory->generation != m_shared->generation || !display || !m_window) {
    return false;
  }
  m_shared->DetachReleased();
  int x = 0;
  int y = 0;
  GdkWindow* native = NativeWindowOf(m_window, &x, &y);
  if (!native) return false;
  GdkDisplay* gdkDisplay = gdk_window_get_display(native);
  if (!memory->attached) {
    memory->image = XShmCreateImage(display, m_shared->visual, static_cast<unsigned>(m_shared->depth), ZPixmap,
                                    memory->info.shmaddr, &memory->info, static_cast<unsigned>(memory->width),
                                    static_cast<unsigned>(memory->height));
    if (!memory->image || memory->image->bytes_per_line != memory->stride || memory->image->bits_per_pixel != 32) {
      return false;
    }
    gdk_x11_display_error_trap_push(gdkDisplay);
    XShmAttach(display, &memory->info);
    XSync(display, False);
    if (gdk_x11_display_error_trap_pop(gdkDisplay) != 0) return false;
    // Gone from the system as soon as both sides have let go.
    shmctl(memory->info.shmid, IPC_RMID, nullptr);
    memory->attached = true;
    m_shared->attached.push_back(memory->info);
  }
  // The put goes into the native window the toolkit window lies in: only
  // the toolkit window's own area is drawn, as its paint would.
  const wxSize area = m_window->GetClientSize();
  const int width = std::min(memory->width, area.GetWidth());
  const int height = std::min(memory->height, area.GetHeight());
  if (width <= 0 || height <= 0) return false;
  cairo_surface_flush(frame.Cairo());
  gdk_x11_display_error_trap_push(gdkDisplay);
  XShmPutImage(display, gdk_x11_window_get_xid(native), reinterpret_cast<GC>(m_gc), memory->image, 0, 0, x, y,
               static_cast<unsigned>(width), static_cast<unsigned>(height), False);
  // Back when the server has drawn the frame: its memory may be written again.
  XSync(display, False);
  return gdk_x11_display_error_trap_pop(gdkDisplay) == 0;
}

}  // namespace display

}  // namespace qel
