// The stimulus display as plug-ins and the host see it: the virtual slots
// of CDDDisplay in their binding order. Plug-ins never link QelScreen; they
// call these slots on the object the host hands them.
#pragma once

#include <cstdint>

#include "include/qel/DrawContext.h"
#include "include/qel/Resources.h"

namespace qel {

// Surface numbers: -1 front buffer, -2 back buffer, 0..7 off-screen surfaces.
constexpr int kSurfaceFront = -1;
constexpr int kSurfaceBack = -2;
constexpr int kSurfaceCount = 8;

// Break states, written by the user-interface thread and read by the run
// engine without a lock.
enum QelBreakState : int32_t {
  kBreakRequested = 0,
  kBreakOnScreen = 1,
  kBreakContinue = 2,
  kBreakStop = 3,
  kBreakStopSeen = 4,
};

// Display-window commands (the command channel).
enum QelDisplayCommand : int32_t {
  kDispCmdOpenBreak = 0,
  kDispCmdContinue = 1,
  kDispCmdRestore = 2,
  kDispCmdCreateDialog = 3,
  kDispCmdModalDialog = 4,
  kDispCmdCreateTaskDialog = 5,
  kDispCmdDestroyTaskDialog = 6,
};

// Attribute bits of a display.
enum QelDisplayAttr : uint32_t {
  kDispAttrPrimary = 0x001,
  kDispAttrWindowed = 0x002,
  kDispAttrFlip = 0x008,       // present synchronously
  kDispAttrCursor = 0x020,     // show the mouse cursor
  kDispAttrBreaks = 0x100,     // breaks allowed
  kDispAttrClearBack = 0x400,  // clear the back buffer when there is nothing to redraw
};

// A dialog that a plug-in hands to the display to be shown over it. The
// window pointers are wxWindow*; the plug-in owns the object, the display
// only creates and destroys its window on the user-interface thread.
class IQelDialog {
 public:
  virtual ~IQelDialog() = default;
  virtual bool CreateModeless(void* parentWindow) = 0;  // false when it cannot be created
  virtual void* GetWindow() = 0;                        // null while not created
  virtual int RunModal(void* parentWindow) = 0;         // the modal result
  virtual bool DestroyWindow() = 0;                     // true when a window was destroyed
};

typedef bool (*QelRestoreCallback)(void* context);

class IDDDisplay {
 public:
  virtual ~IDDDisplay() = default;                                  // slot 0
  virtual bool GetWndRectClient(QelRect& rect) = 0;                 // slot 1
  virtual bool Present(bool show) = 0;                              // slot 2
  virtual bool SurfaceGetSize(int n, int& width, int& height) = 0;  // slot 3
  virtual CDC* SurfaceGetDC(int n) = 0;                             // slot 4
  virtual bool SurfaceReleaseDC(int n, CDC* dc) = 0;                // slot 5
  virtual bool SurfaceClear(int n, COLORREF colour) = 0;            // slot 6
  virtual bool SurfaceBltBack1(int n) = 0;                          // slot 7
  virtual int BreakGetState() = 0;                                  // slot 8
  virtual void BreakSetState(int state) = 0;                        // slot 9
  virtual void BreakSetTitle(const char* title) = 0;                // slot 10
  virtual bool BreakCreate() = 0;                                   // slot 11
  virtual long TaskDlgCreate(IQelDialog* dialog, QelResModule module, int templateId,
                             bool cursor) = 0;                                               // slot 12
  virtual void SetCursor(bool show) = 0;                                                     // slot 13
  virtual long TaskDlgDestroy(IQelDialog* dialog, QelResModule module, int templateId) = 0;  // slot 14
  virtual intptr_t PostMessageA(int command, intptr_t payload) = 0;                          // slot 15
  virtual void SetRestoreDisplay(QelRestoreCallback callback, void* context) = 0;            // slot 16
};

}  // namespace qel
