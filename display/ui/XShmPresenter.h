// Frames that live in memory shared with the X server, handed to the
// display window in one request. A frame's pixels are drawn (or copied) once
// into the shared memory; the put hands them to the server without a further
// copy on this side, and the sync after it returns when the server has
// drawn them into the window. Without shared memory (a remote server) or
// with a window whose pixels are not 24-bit 0xRRGGBB, the presenter does
// not open and the toolkit's paint path shows the frames.
//
// Frames are made on any thread; the X requests (attach, put, detach) are
// made on the user-interface thread only, on the toolkit's connection.
#pragma once

#include <cstdint>
#include <memory>

#include "display/RasterSurface.h"
#include "display/ui/ScreenExport.h"

class wxWindow;
typedef struct _GdkWindow GdkWindow;

namespace qel {

namespace display {

// The native X window that a toolkit window draws into, and where the
// window's origin lies in it.
GdkWindow* NativeWindowOf(wxWindow* window, int* x, int* y);

class CXShmPresenter {
 public:
  CXShmPresenter();
  ~CXShmPresenter();
  CXShmPresenter(const CXShmPresenter&) = delete;
  CXShmPresenter& operator=(const CXShmPresenter&) = delete;

  // For the window (UI thread); false when frames cannot go this way.
  bool Open(wxWindow* window);
  // Detaches every frame from the server (UI thread); frames still held
  // elsewhere stay usable as ordinary pictures. Call it before the window
  // goes; the destructor makes no X request.
  void Close();
  bool IsOpen() const;

  // A black frame in shared memory (any thread); null when none can be made.
  SurfacePtr MakeFrame(int width, int height);
  // Puts a frame made here into the window and waits for the server (UI
  // thread). False when the frame is not one of these or the put failed:
  // the caller then paints it the toolkit's way.
  bool Put(const CRasterSurface& frame);

  struct Shared;  // the part that frames keep

 private:
  std::shared_ptr<Shared> m_shared;
  wxWindow* m_window = nullptr;
  unsigned long m_gc = 0;
};

}  // namespace display

}  // namespace qel
