#include "ui/ui/MainWindows.h"

namespace qel {

namespace {
wxWindow* g_mainFrame = nullptr;
wxWindow* g_mainView = nullptr;
}  // namespace

void SetMainFrameWindow(wxWindow* frame) { g_mainFrame = frame; }
wxWindow* GetMainFrameWindow() { return g_mainFrame; }
void SetMainViewWindow(wxWindow* view) { g_mainView = view; }
wxWindow* GetMainViewWindow() { return g_mainView; }

}  // namespace qel
