#include "display/ui/GlxVblankPresenter.h"

// wx first: the X headers define macros (None, Status, ...) that wx must not see.
#include <wx/window.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <GL/gl.h>
#include <GL/glx.h>
#include <GL/glxext.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

#include "common/MonotonicNs.h"
#include "display/VblankClock.h"
#include "display/ui/XShmPresenter.h"

namespace qel {

namespace display {

namespace {

constexpr char kSyncControl[] = "GLX_OML_sync_control";
constexpr int kPixelBytes = 4;
constexpr int64_t kNextBlank = 1;  // swap at the blank after the current one

bool HasExtension(const char* list, const char* name) {
  if (!list) return false;
  const size_t length = std::strlen(name);
  for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
    const bool startsWord = p == list || p[-1] == ' ';
    const char after = p[length];
    if (startsWord && (after == ' ' || after == '\0')) return true;
  }
  return false;
}

template <typename F>
F Lookup(const char* name) {
  return reinterpret_cast<F>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

CGlxVblankPresenter::~CGlxVblankPresenter() {
  // No request here: the toolkit's connection may be gone already.
}

bool CGlxVblankPresenter::Open(wxWindow* window) {
  Close();
  int x = 0;
  int y = 0;
  GdkWindow* native = NativeWindowOf(window, &x, &y);
  if (!native || !GDK_IS_X11_WINDOW(native)) return false;
  GdkDisplay* gdkDisplay = gdk_window_get_display(native);
  Display* display = GDK_DISPLAY_XDISPLAY(gdkDisplay);
  int errorBase = 0;
  int eventBase = 0;
  if (!display || !glXQueryExtension(display, &errorBase, &eventBase)) return false;
  if (!HasExtension(glXQueryExtensionsString(display, DefaultScreen(display)), kSyncControl)) return false;
  auto getSyncValues = Lookup<PFNGLXGETSYNCVALUESOMLPROC>("glXGetSyncValuesOML");
  auto swapBuffersMsc = Lookup<PFNGLXSWAPBUFFERSMSCOMLPROC>("glXSwapBuffersMscOML");
  auto waitForSbc = Lookup<PFNGLXWAITFORSBCOMLPROC>("glXWaitForSbcOML");
  if (!getSyncValues || !swapBuffersMsc || !waitForSbc) return false;

  GdkVisual* gdkVisual = gdk_window_get_visual(native);
  Visual* visual = gdkVisual ? gdk_x11_visual_get_xvisual(gdkVisual) : nullptr;
  if (!visual) return false;
  XVisualInfo pattern{};
  pattern.visualid = XVisualIDFromVisual(visual);
  int count = 0;
  XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &pattern, &count);
  if (!info) return false;
  int useGl = 0;
  int doubleBuffer = 0;
  const bool usable = glXGetConfig(display, info, GLX_USE_GL, &useGl) == 0 && useGl &&
                      glXGetConfig(display, info, GLX_DOUBLEBUFFER, &doubleBuffer) == 0 && doubleBuffer;
  const Window drawable = gdk_x11_window_get_xid(native);
  GLXContext context = nullptr;
  gdk_x11_display_error_trap_push(gdkDisplay);
  if (usable) context = glXCreateContext(display, info, nullptr, True);
  XFree(info);
  bool current = context && glXMakeCurrent(display, drawable, context);
  int64_t ust = 0;
  int64_t msc = 0;
  int64_t sbc = 0;
  // A driver may list the extension yet give no counters for this window.
  current = current && getSyncValues(display, drawable, &ust, &msc, &sbc) && ust > 0;
  XSync(display, False);
  const bool failed = gdk_x11_display_error_trap_pop(gdkDisplay) != 0;
  if (failed || !current) {
    if (context) {
      glXMakeCurrent(display, None, nullptr);
      glXDestroyContext(display, context);
    }
    return false;
  }
  m_display = display;
  m_context = context;
  m_drawable = drawable;
  m_window = window;
  m_getSyncValues = reinterpret_cast<void*>(getSyncValues);
  m_swapBuffersMsc = reinterpret_cast<void*>(swapBuffersMsc);
  m_waitForSbc = reinterpret_cast<void*>(waitForSbc);
  glGenTextures(1, &m_texture);
  glBindTexture(GL_TEXTURE_2D, m_texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  return true;
}

void CGlxVblankPresenter::Close() {
  if (!m_context) return;
  Display* display = static_cast<Display*>(m_display);
  GLXContext context = static_cast<GLXContext>(m_context);
  if (glXMakeCurrent(display, static_cast<GLXDrawable>(m_drawable), context) && m_texture) {
    glDeleteTextures(1, &m_texture);
  }
  glXMakeCurrent(display, None, nullptr);
  glXDestroyContext(display, context);
  m_texture = 0;
  m_textureWidth = 0;
  m_textureHeight = 0;
  m_context = nullptr;
  m_display = nullptr;
  m_drawable = 0;
  m_window = nullptr;
}

bool CGlxVblankPresenter::Put(const CRasterSurface& frame, int64_t* onsetNs) {
  if (!m_context || !m_window) return false;
  Display* display = static_cast<Display*>(m_display);
  const GLXDrawable drawable = static_cast<GLXDrawable>(m_drawable);
  if (!glXMakeCurrent(display, drawable, static_cast<GLXContext>(m_context))) return false;
  int x = 0;
  int y = 0;
  GdkWindow* native = NativeWindowOf(m_window, &x, &y);
  if (!native) return false;
  const int nativeHeight = gdk_window_get_height(native);
  const wxSize area = m_window->GetClientSize();
  const int width = std::min(frame.Width(), area.GetWidth());
  const int height = std::min(frame.Height(), area.GetHeight());
  if (width <= 0 || height <= 0) return false;

  // The frame's pixels are 0x00RRGGBB words: B, G, R, X bytes in memory.
  cairo_surface_flush(frame.Cairo());
  glBindTexture(GL_TEXTURE_2D, m_texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, kPixelBytes);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, frame.Stride() / kPixelBytes);
  const void* pixels = cairo_image_surface_get_data(frame.Cairo());
  if (!pixels) return false;
  if (frame.Width() != m_textureWidth || frame.Height() != m_textureHeight) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, frame.Width(), frame.Height(), 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    m_textureWidth = frame.Width();
    m_textureHeight = frame.Height();
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, frame.Width(), frame.Height(), GL_BGRA, GL_UNSIGNED_BYTE, pixels);
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);

  // The whole back buffer black, the frame in the window's area (GL counts rows from the bottom).
  glViewport(0, 0, gdk_window_get_width(native), nativeHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(x, nativeHeight - y - height, width, height);
  const float u = static_cast<float>(width) / static_cast<float>(frame.Width());
  const float v = static_cast<float>(height) / static_cast<float>(frame.Height());
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, 1);
  glTexCoord2f(0, v);
  glVertex2f(-1, -1);
  glTexCoord2f(u, v);
  glVertex2f(1, -1);
  glTexCoord2f(u, 0);
  glVertex2f(1, 1);
  glEnd();

  auto getSyncValues = reinterpret_cast<PFNGLXGETSYNCVALUESOMLPROC>(m_getSyncValues);
  auto swapBuffersMsc = reinterpret_cast<PFNGLXSWAPBUFFERSMSCOMLPROC>(m_swapBuffersMsc);
  auto waitForSbc = reinterpret_cast<PFNGLXWAITFORSBCOMLPROC>(m_waitForSbc);
  int64_t ust = 0;
  int64_t msc = 0;
  int64_t sbc = 0;
  if (!getSyncValues(display, drawable, &ust, &msc, &sbc)) return false;
  const int64_t swap = swapBuffersMsc(display, drawable, msc + kNextBlank, 0, 0);
  if (swap < 0) return false;
  if (!waitForSbc(display, drawable, swap, &ust, &msc, &sbc)) return false;
  // The reading pair that tells the UST's clock, taken once the swap is done.
  UstReading reading;
  int64_t readMsc = 0;
  int64_t readSbc = 0;
  if (!getSyncValues(display, drawable, &reading.ust, &readMsc, &readSbc)) return false;
  reading.monotonicNs = MonotonicNowNs();
  return UstToMonotonicNs(ust, reading, onsetNs);
}

}  // namespace display

}  // namespace qel
