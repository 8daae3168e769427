// The stimulus display: one chosen monitor shown either full screen (the
// testee's screen during a run) or in a window (previews), with a front
// buffer, a back buffer and eight off-screen surfaces that are raster
// buffers of our own. Plug-ins reach it only through the IDDDisplay slots;
// the program calls the exported operations below directly.
//
// Threads: windows live on the user-interface thread. Drawing contexts,
// Present and the surface operations may be called from worker threads;
// Present then hands the frame to the user-interface thread and returns
// once it is on screen. Our buffers are never lost, so the loss paths of
// the surface operations never trigger, and a window repaint simply shows
// the kept front frame again; RestoreDisplay and the restore callback run
// where they are asked for (the restore command, the break dialog's layout).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

#include "display/DisplayTable.h"
#include "display/RasterSurface.h"
#include "display/UiHandoff.h"
#include "display/ui/DialogInst.h"
#include "display/ui/GlxVblankPresenter.h"
#include "display/ui/ScreenExport.h"
#include "display/ui/WndDD.h"
#include "display/ui/XShmPresenter.h"
#include "include/qel/DisplayInterface.h"

class wxWindow;

namespace qel {

// A picture as a packed DIB (what a BITMAPINFO pointer points at) with its
// size, so that it can be read safely.
struct QelDib {
  const void* data = nullptr;
  size_t size = 0;
};

// Surface flags.
enum QelSurfaceFlags : uint32_t {
  kSurfSysMem = 0x00000200,   // system memory (all our surfaces live there)
  kSurfNegate = 0x00010000,   // draw the picture negated
  kSurfStretch = 0x00020000,  // stretch the picture, else centre it
};

class QEL_SCREEN_API CDDDisplay : public IDDDisplay {
 public:
  static constexpr int kMaxDisplays = qel::display::kMaxDisplays;
  using DisplayEntry = qel::display::DisplayEntry;

  CDDDisplay();
  ~CDDDisplay() override;
  CDDDisplay(const CDDDisplay&) = delete;
  CDDDisplay& operator=(const CDDDisplay&) = delete;

  // ---- virtual slots (binding order in IDDDisplay) ----
  bool GetWndRectClient(QelRect& rect) override;
  bool Present(bool show) override;
  bool SurfaceGetSize(int n, int& width, int& height) override;
  CDC* SurfaceGetDC(int n) override;
  bool SurfaceReleaseDC(int n, CDC* dc) override;
  bool SurfaceClear(int n, COLORREF colour) override;
  bool SurfaceBltBack1(int n) override;
  int BreakGetState() override;
  void BreakSetState(int state) override;
  void BreakSetTitle(const char* title) override;
  bool BreakCreate() override;
  long TaskDlgCreate(IQelDialog* dialog, QelResModule module, int templateId, bool cursor) override;
  void SetCursor(bool show) override;
  long TaskDlgDestroy(IQelDialog* dialog, QelResModule module, int templateId) override;
  intptr_t PostMessageA(int command, intptr_t payload) override;
  void SetRestoreDisplay(QelRestoreCallback callback, void* context) override;

  // ---- enumeration ----
  bool DisplayEnum();
  int GetDisplayNum() const { return m_nDisplays; }
  int GetDisplaySelected() const { return m_nSelected; }
  int GetPrimary() const;
  bool IsPrimary(int i) const;
  bool IsPrimary() const { return (m_dwAttr & kDispAttrPrimary) != 0; }
  bool IsWindowed() const { return (m_dwAttr & kDispAttrWindowed) != 0; }
  uint32_t GetAttr() const { return m_dwAttr; }
  int GetResolutionX(int i) const;
  int GetResolutionY(int i) const;
  int GetResolutionX() const { return GetResolutionX(m_nSelected); }
  int GetResolutionY() const { return GetResolutionY(m_nSelected); }
  int GetBisPerPixel(int i) const;
  uint32_t GetVidMemTotal(int i) const { return VidMem(i, 0); }
  uint32_t GetVidMemFree(int i) const { return VidMem(i, 1); }
  uint32_t GetVidMemTotalLocal(int i) const { return VidMem(i, 2); }
  uint32_t GetVidMemFreeLocal(int i) const { return VidMem(i, 3); }
  uint32_t GetVidMemTotalNonlocal(int i) const { return VidMem(i, 4); }
  uint32_t GetVidMemFreeNonlocal(int i) const { return VidMem(i, 5); }
  std::string GetDisplayName(int i) const;
  std::string GetMonitorName(int i) const;
  intptr_t GetDisplayMonitor(int i) const;
  std::string StringDisplayGUID(int i) const;
  std::string StringDisplayGUID() const { return StringDisplayGUID(m_nSelected); }
  const DisplayEntry* GetDisplayEntry(int i) const;

  // ---- modes ----
  bool CreateFullScreen(int i, uint32_t flags);
  bool CreateWindowed(int i, int width, int height);
  bool AttachWindowed(int i, wxWindow* window);
  void Free();

  void SetInstResource(QelResModule module);
  QelResModule GetInstResource() const { return m_hInstResource; }
  CWndDD* GetWndDD() { return &m_wnd; }
  void SetFocus();
  // Whether the Space key on the display opens the break dialog (each new
  // mode starts with it on; a task run turns it off: Space is the task's key).
  void SetSpaceBreaks(bool on) { m_wnd.m_bSpaceBreaks = on; }
  // kind 0 monitor, 1 window, 2 window client, 3 stored client, 4 stored screen rectangle.
  void GetRect(QelRect& rect, int kind);

  // ---- memory, capabilities and errors (Linux exposes no video memory or caps: 0 and empty) ----
  bool GetMemAvailable(uint32_t& total, uint32_t& free, bool local);
  static std::string StringMem(uint32_t bytes);
  bool StringMemAvailable(std::string& total, std::string& free, bool local);
  bool StringDDCapsHardware(std::string& hardware, std::string& further, uint32_t& memTotal, uint32_t& memFree,
                            uint32_t& maxVideoPorts);
  std::string StringErrMessageLast() const;
  void ErrMessageLast(const char* step, bool free);
  void ErrMessage(int result, const char* step, bool free);
  void ErrMemory(int result);
  int GetLastResult() const { return m_hResult; }

  // ---- surfaces and presentation ----
  bool ClearBack1(COLORREF colour) { return SurfaceClear(kSurfaceBack, colour); }
  bool Flip();
  bool SurfaceBltWait(int n);
  bool SurfaceCreate(int n, uint32_t flags, int width, int height);
  bool SurfaceCreateBitmap(int n, const QelBitmap* picture, uint32_t flags);
  bool SurfaceCreateBitmap(int n, const QelDib* picture, uint32_t flags);
  bool SurfaceDrawBitmap(int n, const QelBitmap* picture, uint32_t flags);
  bool SurfaceDrawBitmap(int n, const QelDib* picture, uint32_t flags);
  bool SurfaceDrawBitmap(int n);  // redraw from the kept picture
  bool SurfaceStretchBitmap(int n, const QelBitmap* picture, uint32_t flags);
  bool SurfaceStretchBitmap(int n, const QelDib* picture, uint32_t flags);
  bool SurfaceBltBack1Redraw(int n);
  bool SurfaceBltFront(int n);
  bool SurfaceBltBack1Last();
  bool RestoreDisplay();
  bool UpdateBounds();
  bool GetWndRectScreen(QelRect& rect);
  void SetWndRectScale(QelRect& rect);
  int GetScale() const { return m_nScale; }
  // The off-screen surface whose copy a buffer shows, or kNoContent.
  static constexpr int kNoContent = -1;
  int GetFrontContent() const { return m_nFrontContent; }
  int GetBackContent() const { return m_nBackContent; }
  // Surface properties for the properties dialog: false when n does not exist.
  bool SurfaceDescribe(int n, int& width, int& height, int& bits, uint32_t& caps);
  // The frame the display window shows (null while no mode is active).
  qel::display::SurfacePtr GetFrontFrame();
  // When the latest frame had reached the X server (CLOCK_MONOTONIC ns):
  // the swap's vertical blank on the vertical-blank path, else stamped after
  // the hand-over and a sync with the server. False while no frame has been
  // shown in the current mode.
  bool LastFrameShownNs(int64_t* ns) const;
  // Until the CLOCK_MONOTONIC moment `ns` (0: no longer), Present and Flip
  // make their frame ready, then wait for the moment before they hand it
  // over: a frame drawn ahead of its onset reaches the screen at the onset.
  void HoldPresentsUntil(int64_t ns) { m_presentHoldNs.store(ns); }
  // Puts the front frame into the window at the vertical blank or through
  // shared memory and waits for the server (UI thread); false when it
  // cannot go either way.
  bool PutFrontFrame();
  // Chooses how the mode's window takes frames once it is on the screen
  // (UI thread; once a mode): at the vertical blank for a full-screen mode
  // with the flip attribute where the X server's GLX has swap timestamps,
  // else from shared memory, else through the toolkit's paint.
  void OpenSharedFrames();
  // How frames reach the current mode's window, for the operator: one of
  // kPresentPathVblank, kPresentPathSharedMemory, kPresentPathPaint; empty
  // before the window is on the screen.
  std::string PresentPath() const;
  static constexpr const char* kPresentPathVblank = "vertical blank (GLX_OML_sync_control)";
  static constexpr const char* kPresentPathSharedMemory = "shared memory (MIT-SHM)";
  static constexpr const char* kPresentPathPaint = "toolkit paint";

  // ---- break dialog and command channel ----
  bool BreakCreate(CWndDD* owner);
  void BreakCancel();
  bool IsStopped(bool acknowledge);
  const char* BreakGetTitle() const;
  intptr_t SendMessageA(int command, intptr_t payload);
  int DlgCreate(CDialogInst* dialog);
  int DlgDoModal(CDialogInst* dialog);

  // Set by the host before a run.
  bool m_bNoStopConfirm = false;  // stop without the confirmation question (practice runs)
  bool m_bShowButton = false;     // the break dialog's "Show" button is enabled
  std::string m_strBreakText;     // shown in the break dialog
  std::string m_strStopCaption;   // caption and text of the stop question
  std::string m_strStopQuestion;

 private:
  friend class CWndDD;
  friend class CDlgDDBreak;

  struct SurfaceSlot {
    qel::display::SurfacePtr surface;
    const QelBitmap* bitmap = nullptr;  // kept pictures (the caller keeps them alive)
    const QelDib* dib = nullptr;
    uint32_t flags = 0;
  };

  uint32_t VidMem(int i, int which) const;
  bool ValidIndex(int i) const { return i >= 0 && i < m_nDisplays && i < kMaxDisplays; }
  bool CreateDevice(int i);
  void SelectDisplay(int i, bool windowed);
  void ClearSurfaceTable();
  void DDWindowInit(bool breaksAllowed);
  bool AttachExternal(wxWindow* window, int width, int height);
  bool CreateBuffers(int width, int height, const char* stepFront, const char* stepBack);
  void FreeOnUiThread();

  SurfaceSlot* Slot(int n);
  // Surface n (null when it does not exist) and the mode it belongs to.
  qel::display::SurfacePtr GetSurface(int n, uint64_t* generation = nullptr);
  qel::display::SurfacePtr MakeFrame(int width, int height);
  bool ShowFrame(qel::display::SurfacePtr frame, uint64_t generation);
  // ShowFrame, once the moment of a present hold (if any) has come.
  bool ShowHeldFrame(qel::display::SurfacePtr frame, uint64_t generation);
  bool PaintWindow();  // false when the user-interface thread did not show it
  intptr_t RunOnUiThread(std::function<intptr_t()> work, intptr_t failed);
  bool DrawPicture(int n, const QelBitmap& picture, uint32_t flags, bool stretch);
  bool KeepPictureAndCreate(int n, const QelBitmap* bitmap, const QelDib* dib, uint32_t flags);
  bool DrawDib(int n, const QelDib* picture, uint32_t flags, bool stretch);

  QelResModule m_hInstResource = nullptr;
  CWndDD m_wnd;
  wxWindow* m_pWndAttached = nullptr;  // the caller's window while attached
  std::atomic<uint32_t> m_dwAttr{0};
  std::atomic<int64_t> m_frameShownNs{0};  // 0: none yet
  std::atomic<int64_t> m_presentHoldNs{0};  // 0: presents go at once
  QelRestoreCallback m_pfnRestore = nullptr;
  void* m_pRestoreContext = nullptr;
  std::string m_strTitle = "DDDisplay";
  std::atomic<int> m_nFrontContent{kNoContent};
  std::atomic<int> m_nBackContent{kNoContent};

  // Surfaces: slots 0..7 off-screen, 8 front, 9 back. The mutex guards the
  // table, the display table and the two rectangles (worker threads read
  // them); drawing happens outside it on the shared buffers.
  std::mutex m_mutex;
  SurfaceSlot m_slots[10];
  qel::display::SurfacePtr m_spareFrame;
  qel::display::CXShmPresenter m_shm;
  qel::display::CGlxVblankPresenter m_vblank;       // UI thread
  bool m_shmTried = false;                          // UI thread: the presenter was tried for this mode's window
  std::atomic<const char*> m_presentPath{nullptr};  // one of the kPresentPath texts
  int64_t m_putOnsetNs = 0;                         // UI thread: the vertical blank of the latest put (0: none)
  // Contexts handed out and not yet released, with the mode they were made in.
  std::unordered_map<const CDC*, uint64_t> m_liveDCs;
  uint64_t m_generation = 0;  // changes at every mode creation and Free
  bool m_bDevice = false;     // a mode's session exists

  DisplayEntry m_displays[kMaxDisplays];
  std::atomic<int> m_nDisplays{0};
  std::atomic<int> m_nSelected{-1};
  QelRect m_rcClient;
  QelRect m_rcScreen;
  std::atomic<int> m_nScale{10000};
  std::atomic<int> m_hResult{0};
  qel::display::CUiTicketList m_tickets;
};

}  // namespace qel
