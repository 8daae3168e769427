// The display object: surfaces, drawing contexts, pictures and presentation.
#include <wx/app.h>
#include <wx/thread.h>
#include <wx/window.h>

#include <pthread.h>
#include <sched.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/MonotonicNs.h"
#include "display/DisplayGeometry.h"
#include "display/SurfaceDC.h"
#include "display/image/ImageDecoder.h"
#include "display/ui/DDDisplay.h"

namespace qel {

using namespace qel::display;

namespace {

// How long a waiting thread gives the user-interface thread to take up its
// work before it gives up (that thread is gone or is waiting for the caller).
constexpr std::chrono::milliseconds kUiPickupTime{1000};

// Just below the run's 1 ms beat (45) and input thread (46).
constexpr int kHeldPresentPriority = 44;

// While a held frame waits for its moment and is handed over, the calling
// thread runs ahead of ordinary work where the system allows it (real-time
// rights), so neither the hand-over nor its stamp waits for other programs;
// afterwards it runs as before. Without the rights nothing changes.
class HeldPresentPriority {
 public:
  HeldPresentPriority() {
    if (pthread_getschedparam(pthread_self(), &m_policy, &m_param) != 0 || m_policy != SCHED_OTHER) return;
    sched_param param{};
    param.sched_priority = kHeldPresentPriority;
    m_raised = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
  }
  ~HeldPresentPriority() {
    if (m_raised) pthread_setschedparam(pthread_self(), m_policy, &m_param);
  }
  HeldPresentPriority(const HeldPresentPriority&) = delete;
  HeldPresentPriority& operator=(const HeldPresentPriority&) = delete;

 private:
  int m_policy = SCHED_OTHER;
  sched_param m_param{};
  bool m_raised = false;
};

// What the buffers are, for the properties dialog: the frames behind them
// change at every presentation, their role does not.
constexpr uint32_t kFullScreenFrontCaps =
    kCapsPrimary | kCapsVisible | kCapsFrontBuffer | kCapsFlip | kCapsComplex | kCaps3DDevice | kCapsSysMem;
constexpr uint32_t kFullScreenBackCaps = kCapsBackBuffer | kCapsFlip | kCapsComplex | kCaps3DDevice | kCapsSysMem;
constexpr uint32_t kWindowedFrontCaps = kCapsPrimary | kCapsVisible | kCapsFrontBuffer | kCapsSysMem;
constexpr uint32_t kWindowedBackCaps = kCapsOffScreen | kCaps3DDevice | kCapsSysMem;

bool IsOffScreen(int n) { return n >= 0 && n < kSurfaceCount; }

}  // namespace

CDDDisplay::SurfaceSlot* CDDDisplay::Slot(int n) {
  if (IsOffScreen(n)) return &m_slots[n];
  if (n == kSurfaceFront) return &m_slots[8];
  if (n == kSurfaceBack) return &m_slots[9];
  return nullptr;
}

SurfacePtr CDDDisplay::GetSurface(int n, uint64_t* generation) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (generation) *generation = m_generation;
  SurfaceSlot* s = Slot(n);
  return s ? s->surface : nullptr;
}

SurfacePtr CDDDisplay::GetFrontFrame() { return GetSurface(kSurfaceFront); }

intptr_t CDDDisplay::RunOnUiThread(std::function<intptr_t()> work, intptr_t failed) {
  if (!wxTheApp) return failed;
  TicketPtr ticket = m_tickets.Issue();
  m_wnd.CallAfter([ticket, work = std::move(work)] {
    if (!ticket->Start()) return;
    ticket->Finish(work());
  });
  intptr_t result = failed;
  return ticket->Wait(kUiPickupTime, &result) ? result : failed;
}

// A buffer for a new front frame: the previous front when nobody paints
// from it any more, else a new one.
SurfacePtr CDDDisplay::MakeFrame(int width, int height) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_spareFrame && m_spareFrame.use_count() == 1 && m_spareFrame->Width() == width &&
        m_spareFrame->Height() == height && (m_spareFrame->Memory() || !m_shm.IsOpen())) {
      return std::move(m_spareFrame);
    }
  }
  // In memory shared with the X server when the window takes frames that way.
  if (SurfacePtr shared = m_shm.MakeFrame(width, height)) return shared;
  int error = 0;
  SurfacePtr frame = CRasterSurface::Create(width, height, 0, 0, &error);
  if (!frame) m_hResult = error;
  return frame;
}

// Replaces the front frame whole and puts it on the screen.
bool CDDDisplay::ShowFrame(SurfacePtr frame, uint64_t generation) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (generation != m_generation || !m_slots[8].surface) return false;
    m_spareFrame = std::move(m_slots[8].surface);
    m_slots[8].surface = std::move(frame);
  }
  return PaintWindow();
}

bool CDDDisplay::ShowHeldFrame(SurfacePtr frame, uint64_t generation) {
  const int64_t hold = m_presentHoldNs.load();
  if (hold == 0) return ShowFrame(std::move(frame), generation);
  HeldPresentPriority ahead;
  WaitUntilMonotonicNs(hold);
  return ShowFrame(std::move(frame), generation);
}

bool CDDDisplay::PaintWindow() {
  const bool wait = (m_dwAttr & kDispAttrFlip) != 0;
  const auto paint = [this, wait] {
    m_putOnsetNs = 0;
    m_wnd.PaintNow(wait);
    m_frameShownNs.store(m_putOnsetNs != 0 ? m_putOnsetNs : MonotonicNowNs());
    return intptr_t{1};
  };
  if (wxIsMainThread()) return paint() != 0;
  return RunOnUiThread(paint, 0) != 0;
}

void CDDDisplay::OpenSharedFrames() {
  wxWindow* window = m_wnd.GetWindow();
  // Tried once the window is on the screen (before, GTK has no window for it).
  if (!window || m_shmTried || !window->GTKGetDrawingWindow()) return;
  m_shmTried = true;
  const uint32_t attr = m_dwAttr;
  const char* path = kPresentPathPaint;
  if ((attr & kDispAttrFlip) && !(attr & kDispAttrWindowed) && m_vblank.Open(window)) {
    path = kPresentPathVblank;
  } else if (m_shm.Open(window)) {
    path = kPresentPathSharedMemory;
  }
  m_presentPath = path;
  std::fprintf(stderr, "QelScreen: frames reach the display window by %s\n", path);
}

std::string CDDDisplay::PresentPath() const {
  const char* path = m_presentPath.load();
  return path ? path : "";
}

bool CDDDisplay::PutFrontFrame() {
  if (!m_wnd.GetWindow()) return false;
  OpenSharedFrames();
  SurfacePtr frame = GetFrontFrame();
  if (!frame) return false;
  if (m_vblank.IsOpen()) return m_vblank.Put(*frame, &m_putOnsetNs);
  return m_shm.Put(*frame);
}

bool CDDDisplay::LastFrameShownNs(int64_t* ns) const {
  const int64_t shown = m_frameShownNs.load();
  if (shown == 0) return false;
  *ns = shown;
  return true;
}

bool CDDDisplay::Present(bool show) {
  SurfacePtr front, back;
  uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    front = m_slots[8].surface;
    back = m_slots[9].surface;
    generation = m_generation;
  }
  if (!front || !back) return false;
  if (!show) {
    m_nFrontContent = m_nBackContent.load();
    return true;
  }
  SurfacePtr frame = MakeFrame(front->Width(), front->Height());
  if (!frame) return false;
  frame->CopyFrom(*back);
  // From a worker thread this returns once the user-interface thread has shown it.
  if (!ShowHeldFrame(std::move(frame), generation)) return false;
  m_nFrontContent = m_nBackContent.load();
  m_hResult = 0;
  return true;
}

bool CDDDisplay::Flip() {
  SurfacePtr front, back;
  uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    front = m_slots[8].surface;
    back = m_slots[9].surface;
    generation = m_generation;
  }
  if (!front || !back) return false;
  if (m_dwAttr & kDispAttrWindowed) {
    m_hResult = ENOTSUP;  // a window has no flipping chain
    return false;
  }
  // The back buffer takes the old front's picture, in a buffer of its own:
  // the old front may still be painted, and drawing must never reach it.
  SurfacePtr newBack = MakeFrame(back->Width(), back->Height());
  if (!newBack) return false;
  newBack->CopyFrom(*front);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (generation != m_generation || m_slots[9].surface != back) return false;
    m_slots[9].surface = std::move(newBack);
  }
  if (!ShowHeldFrame(std::move(back), generation)) return false;
  m_nFrontContent = m_nBackContent.load();
  m_hResult = 0;
  return true;
}

bool CDDDisplay::SurfaceGetSize(int n, int& width, int& height) {
  SurfacePtr s = GetSurface(n);
  if (!s) return false;
  width = s->Width();
  height = s->Height();
  return true;
}

bool CDDDisplay::SurfaceDescribe(int n, int& width, int& height, int& bits, uint32_t& caps) {
  SurfacePtr s = GetSurface(n);
  if (!s) return false;
  width = s->Width();
  height = s->Height();
  bits = 32;
  if (n == kSurfaceFront) {
    caps = IsWindowed() ? kWindowedFrontCaps : kFullScreenFrontCaps;
  } else if (n == kSurfaceBack) {
    caps = IsWindowed() ? kWindowedBackCaps : kFullScreenBackCaps;
  } else {
    caps = s->Caps();
  }
  return true;
}

CDC* CDDDisplay::SurfaceGetDC(int n) {
  uint64_t generation;
  SurfacePtr s = GetSurface(n, &generation);
  if (!s) return nullptr;
  if (n == kSurfaceFront) {
    // The screen never shows a half-drawn frame: drawing on the front goes
    // to a copy that replaces the front when the context is released.
    SurfacePtr copy = MakeFrame(s->Width(), s->Height());
    if (!copy) return nullptr;
    copy->CopyFrom(*s);
    s = std::move(copy);
  }
  CSurfaceDC* dc = new CSurfaceDC(std::move(s), n);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_liveDCs.emplace(dc, generation);
  return dc;
}

bool CDDDisplay::SurfaceReleaseDC(int n, CDC* dc) {
  if (!dc) return true;
  // Only a context handed out here, not yet released and given back for the
  // surface it was made for is taken back; anything else is refused and
  // never deleted (a context given back under another number stays live).
  CSurfaceDC* ours = nullptr;
  uint64_t madeIn = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_liveDCs.find(dc);
    if (it != m_liveDCs.end() && static_cast<const CSurfaceDC*>(it->first)->Number() == n) {
      ours = static_cast<CSurfaceDC*>(dc);
      madeIn = it->second;
      m_liveDCs.erase(it);
    }
  }
  if (!ours) {
    m_hResult = EINVAL;
    ErrMessage(m_hResult, "SurfaceReleaseDC ReleaseDC", true);
    return false;
  }
  SurfacePtr drawn = ours->Target();
  const int number = ours->Number();
  delete ours;
  // A front frame is shown only in the mode it was drawn for.
  if (number == kSurfaceFront) ShowFrame(std::move(drawn), madeIn);
  return true;
}

bool CDDDisplay::SurfaceClear(int n, COLORREF colour) {
  uint64_t generation;
  SurfacePtr s = GetSurface(n, &generation);
  if (!s) return false;
  if (n == kSurfaceFront) {
    SurfacePtr frame = MakeFrame(s->Width(), s->Height());
    if (!frame) return false;
    frame->Fill(colour);
    m_nFrontContent = kNoContent;
    return ShowFrame(std::move(frame), generation);
  }
  s->Fill(colour);
  if (n == kSurfaceBack) m_nBackContent = kNoContent;
  return true;
}

bool CDDDisplay::SurfaceBltBack1(int n) {
  if (!IsOffScreen(n)) return false;
  SurfacePtr s = GetSurface(n), back = GetSurface(kSurfaceBack);
  if (!s || !back) return false;
  back->CopyFrom(*s);
  m_nBackContent = n;
  return true;
}

bool CDDDisplay::SurfaceBltWait(int n) {
  // Copies finish before they return: nothing is ever pending.
  return GetSurface(n) != nullptr;
}

bool CDDDisplay::SurfaceCreate(int n, uint32_t flags, int width, int height) {
  if (!IsOffScreen(n)) return false;
  uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bDevice) return false;
    m_slots[n].surface.reset();
    generation = m_generation;
  }
  if (width == 0 || height == 0) {
    if (IsWindowed()) {
      std::lock_guard<std::mutex> lock(m_mutex);
      width = std::abs(m_rcClient.Width());
      height = std::abs(m_rcClient.Height());
    } else {
      width = GetResolutionX();
      height = GetResolutionY();
    }
  }
  int error = 0;
  SurfacePtr s = CRasterSurface::Create(width, height, flags, kCapsOffScreen | kCapsSysMem, &error);
  if (!s) {
    m_hResult = error;
    ErrMessage(error, "SurfaceCreateBitmap CreateSurface", true);
    return false;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  if (generation != m_generation) return false;
  m_slots[n].surface = std::move(s);
  return true;
}

// Clears surface n to black and draws the picture centred or stretched, in
// one drawing context (so that a front frame changes once).
bool CDDDisplay::DrawPicture(int n, const QelBitmap& picture, uint32_t flags, bool stretch) {
  SurfacePtr s = GetSurface(n);
  if (!s || picture.IsEmpty()) return false;
  CDC* dc = SurfaceGetDC(n);
  if (!dc) return false;
  const int sw = dc->GetWidth(), sh = dc->GetHeight();
  dc->FillSolidRect(0, 0, sw, sh, 0);
  if (n == kSurfaceFront) m_nFrontContent = kNoContent;
  if (n == kSurfaceBack) m_nBackContent = kNoContent;
  const uint32_t rop = (flags & kSurfNegate) ? kRopNotSrcCopy : kRopSrcCopy;
  bool drawn;
  if (stretch) {
    const QelRect r = StretchDestination(sw, sh, picture.width, m_nScale);
    drawn = r.IsEmpty() ||
            dc->StretchBlt(r.left, r.top, r.Width(), r.Height(), picture, 0, 0, picture.width, picture.height, rop);
  } else {
    const QelPoint o = CentredOrigin(sw, sh, picture.width, picture.height);
    drawn = dc->BitBlt(o.x, o.y, picture.width, picture.height, picture, 0, 0, rop);
  }
  const bool released = SurfaceReleaseDC(n, dc);
  return drawn && released;
}

bool CDDDisplay::DrawDib(int n, const QelDib* picture, uint32_t flags, bool stretch) {
  if (!GetSurface(n) || !picture || !picture->data) return false;
  QelImage image;
  if (QelDecodeDib(picture->data, picture->size, image) != QelImageStatus::kOk) {
    m_hResult = EINVAL;
    ErrMessage(m_hResult, stretch ? "SurfaceStretchBitmap StretchDIBits" : "SurfaceDrawBitmap CreateDIBitmap", false);
    return false;
  }
  return DrawPicture(n, image.View(), flags, stretch);
}

bool CDDDisplay::SurfaceDrawBitmap(int n, const QelBitmap* picture, uint32_t flags) {
  return picture && DrawPicture(n, *picture, flags, false);
}

bool CDDDisplay::SurfaceDrawBitmap(int n, const QelDib* picture, uint32_t flags) {
  return DrawDib(n, picture, flags, false);
}

bool CDDDisplay::SurfaceStretchBitmap(int n, const QelBitmap* picture, uint32_t flags) {
  return picture && DrawPicture(n, *picture, flags, true);
}

bool CDDDisplay::SurfaceStretchBitmap(int n, const QelDib* picture, uint32_t flags) {
  return DrawDib(n, picture, flags, true);
}

bool CDDDisplay::SurfaceDrawBitmap(int n) {
  const QelBitmap* bitmap;
  const QelDib* dib;
  uint32_t flags;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    SurfaceSlot* slot = Slot(n);
    if (!slot) return false;
    bitmap = slot->bitmap;
    dib = slot->dib;
    flags = slot->flags;
  }
  const bool stretch = (flags & kSurfStretch) != 0;
  if (dib && DrawDib(n, dib, flags, stretch)) return true;
  return bitmap && DrawPicture(n, *bitmap, flags, stretch);
}

// Keeps the picture and flags of n and creates n at the default size.
bool CDDDisplay::KeepPictureAndCreate(int n, const QelBitmap* bitmap, const QelDib* dib, uint32_t flags) {
  if (!IsOffScreen(n)) return false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_slots[n].bitmap = bitmap;
    m_slots[n].dib = dib;
    m_slots[n].flags = flags;
  }
  return SurfaceCreate(n, flags, 0, 0);
}

bool CDDDisplay::SurfaceCreateBitmap(int n, const QelBitmap* picture, uint32_t flags) {
  return KeepPictureAndCreate(n, picture, nullptr, flags) && picture &&
         DrawPicture(n, *picture, flags, (flags & kSurfStretch) != 0);
}

bool CDDDisplay::SurfaceCreateBitmap(int n, const QelDib* picture, uint32_t flags) {
  return KeepPictureAndCreate(n, nullptr, picture, flags) && DrawDib(n, picture, flags, (flags & kSurfStretch) != 0);
}

bool CDDDisplay::SurfaceBltBack1Redraw(int n) {
  // A surface of ours is never lost, so there is never a redraw to do first.
  return SurfaceBltBack1(n);
}

bool CDDDisplay::SurfaceBltFront(int n) {
  if (!IsOffScreen(n)) return false;
  uint64_t generation;
  SurfacePtr s, front;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    s = m_slots[n].surface;
    front = m_slots[8].surface;
    generation = m_generation;
  }
  if (!s || !front) return false;
  SurfacePtr frame = MakeFrame(front->Width(), front->Height());
  if (!frame) return false;
  frame->CopyFrom(*s);
  if (!ShowFrame(std::move(frame), generation)) return false;
  m_nFrontContent = n;
  return true;
}

bool CDDDisplay::SurfaceBltBack1Last() {
  const int shown = m_nFrontContent.load();
  if (IsOffScreen(shown) && GetSurface(shown)) return SurfaceBltBack1Redraw(shown);
  if (m_dwAttr & kDispAttrClearBack) return ClearBack1(0);
  return false;
}

bool CDDDisplay::RestoreDisplay() {
  QelRestoreCallback callback;
  void* context;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bDevice) return false;
    callback = m_pfnRestore;
    context = m_pRestoreContext;
  }
  const bool redrawn = callback ? callback(context) : SurfaceBltBack1Last();
  return redrawn && Present(true);
}

void CDDDisplay::SetRestoreDisplay(QelRestoreCallback callback, void* context) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pfnRestore = callback;
  m_pRestoreContext = context;
}

bool CDDDisplay::UpdateBounds() {
  wxWindow* w = m_wnd.GetWindow();
  if (!w) return false;
  QelRect client, screen;
  if (IsWindowed()) {
    if (!wxIsMainThread()) return false;
    const wxSize size = w->GetClientSize();
    const wxPoint origin = w->IsShownOnScreen() ? w->ClientToScreen(wxPoint(0, 0)) : wxPoint(0, 0);
    client = QelRect{0, 0, size.x, size.y};
    screen = QelRect{origin.x, origin.y, origin.x + size.x, origin.y + size.y};
    if (!IsPrimary() && ValidIndex(m_nSelected)) {
      // A secondary monitor's picture has its own origin.
      const QelRect& m = m_displays[m_nSelected].monitorRect;
      screen = QelRect{screen.left - m.left, screen.top - m.top, screen.right - m.left, screen.bottom - m.top};
    }
  } else {
    client = QelRect{0, 0, GetResolutionX(), GetResolutionY()};
    screen = client;
  }
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rcClient = client;
    m_rcScreen = screen;
  }
  m_wnd.m_rcClient = client;
  return true;
}

bool CDDDisplay::GetWndRectClient(QelRect& rect) {
  rect = QelRect();
  wxWindow* w = m_wnd.GetWindow();
  if (!w) return false;
  if (wxIsMainThread()) {
    const wxSize size = w->GetClientSize();
    rect = QelRect{0, 0, size.x, size.y};
  } else {
    std::lock_guard<std::mutex> lock(m_mutex);
    rect = m_rcClient;  // kept by UpdateBounds; windows are not asked from other threads
  }
  rect.Normalize();
  return true;
}

bool CDDDisplay::GetWndRectScreen(QelRect& rect) {
  rect = QelRect();
  wxWindow* w = m_wnd.GetWindow();
  if (!w) return false;
  if (wxIsMainThread()) {
    const wxSize size = w->GetClientSize();
    const wxPoint origin = w->ClientToScreen(wxPoint(0, 0));
    rect = QelRect{origin.x, origin.y, origin.x + size.x, origin.y + size.y};
  } else {
    std::lock_guard<std::mutex> lock(m_mutex);
    rect = m_rcScreen;
  }
  rect.Normalize();
  return true;
}

void CDDDisplay::SetWndRectScale(QelRect& rect) {
  rect.Normalize();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_nScale = ScaleForRect(m_rcClient.Width(), rect);
}

}  // namespace qel
