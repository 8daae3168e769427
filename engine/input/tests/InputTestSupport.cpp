#include "engine/input/tests/InputTestSupport.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <mutex>

namespace qel::test {

namespace {
std::mutex g_recordMutex;

// An X server resets itself when its last client goes, and refuses
// connections while it does; one connection held for the whole test
// program keeps it from resetting between the tests' own connections.
class HoldXServer : public ::testing::Environment {
 public:
  void SetUp() override { display_ = XOpenDisplay(nullptr); }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

 private:
  Display* display_ = nullptr;
};
const auto* const g_holdXServer = ::testing::AddGlobalTestEnvironment(new HoldXServer);
}  // namespace

XTestInjector::XTestInjector() { display_ = XOpenDisplay(nullptr); }

XTestInjector::~XTestInjector() {
  if (display_ == nullptr) return;
  for (unsigned key : std::set<unsigned>(keys_)) Key(key, false);
  for (unsigned button : std::set<unsigned>(buttons_)) Button(button, false);
  Sync();
  XCloseDisplay(display_);
}

void XTestInjector::Key(unsigned x11Keycode, bool down) {
  XTestFakeKeyEvent(display_, x11Keycode, down ? True : False, CurrentTime);
  if (down) {
    keys_.insert(x11Keycode);
  } else {
    keys_.erase(x11Keycode);
  }
}

void XTestInjector::Button(unsigned button, bool down) {
  XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
  if (down) {
    buttons_.insert(button);
  } else {
    buttons_.erase(button);
  }
}

void XTestInjector::Click(unsigned button) {
  Button(button, true);
  Button(button, false);
}

void XTestInjector::Move(int dx, int dy) { XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime); }

void XTestInjector::MoveTo(int x, int y) { XTestFakeMotionEvent(display_, -1, x, y, CurrentTime); }

void XTestInjector::Warp(int x, int y) {
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
}

void XTestInjector::Sync() { XSync(display_, False); }

PromptRecorder::PromptRecorder() {
  previousHandler_ = SetPromptHandler([this](const std::string& text, const std::string&, unsigned) {
    std::lock_guard<std::mutex> lock(g_recordMutex);
    shown.push_back(text);
    return static_cast<int>(kAnswerOk);
  });
  previousPoster_ = SetPromptPoster([this](const std::string& text, const std::string&, unsigned) {
    std::lock_guard<std::mutex> lock(g_recordMutex);
    posted.push_back(text);
  });
}

PromptRecorder::~PromptRecorder() {
  SetPromptHandler(previousHandler_);
  SetPromptPoster(previousPoster_);
}

}  // namespace qel::test
