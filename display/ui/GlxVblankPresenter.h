// Frames shown at the vertical blank through GLX, where the X server's GLX
// offers swap timestamps (GLX_OML_sync_control): a frame is uploaded to a
// texture, drawn into the back buffer, swapped at the next vertical blank,
// and the swap's timestamp is its onset. Where GLX or the extension is
// missing (Xvfb, a remote server) the presenter does not open and the
// shared-memory presenter shows the frames.
//
// All calls on the user-interface thread, on the toolkit's connection.
#pragma once

#include <cstdint>

#include "display/RasterSurface.h"

class wxWindow;

namespace qel {

namespace display {

class CGlxVblankPresenter {
 public:
  CGlxVblankPresenter() = default;
  ~CGlxVblankPresenter();
  CGlxVblankPresenter(const CGlxVblankPresenter&) = delete;
  CGlxVblankPresenter& operator=(const CGlxVblankPresenter&) = delete;

  // For the window; false when the server's GLX cannot swap on the blank
  // with timestamps or the window's visual has no double-buffered GL.
  bool Open(wxWindow* window);
  // Releases the GL context (call it before the window goes).
  void Close();
  bool IsOpen() const { return m_context != nullptr; }

  // Shows the frame at the next vertical blank and waits for the swap. The
  // swap's time on CLOCK_MONOTONIC goes to *onsetNs. False when the swap
  // failed or gave no usable time: the caller then shows the frame another way.
  bool Put(const CRasterSurface& frame, int64_t* onsetNs);

 private:
  void* m_display = nullptr;  // Display*
  void* m_context = nullptr;  // GLXContext
  unsigned long m_drawable = 0;
  wxWindow* m_window = nullptr;
  unsigned int m_texture = 0;
  int m_textureWidth = 0;
  int m_textureHeight = 0;
  void* m_getSyncValues = nullptr;
  void* m_swapBuffersMsc = nullptr;
  void* m_waitForSbc = nullptr;
};

}  // namespace display

}  // namespace qel
