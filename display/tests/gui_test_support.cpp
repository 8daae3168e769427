#include "gui_test_support.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>

#include <chrono>
#include <thread>

namespace qel::display::test {

void Pump(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (loop && loop->Pending()) loop->Dispatch();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump(2);
  }
  return true;
}

MessageRecorder::MessageRecorder(int defaultAnswer) : defaultAnswer_(defaultAnswer) {
  previous_ = SetMessageHandler([this](const std::string& text, const std::string& caption, unsigned style) {
    messages_.push_back({text, caption, style});
    if (answers_.empty()) return defaultAnswer_;
    const int a = answers_.front();
    answers_.pop_front();
    return a;
  });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(previous_); }

BeepCounter::BeepCounter() {
  previous_ = SetBeepHandler([this] { ++count_; });
}

BeepCounter::~BeepCounter() { SetBeepHandler(previous_); }

}  // namespace qel::display::test

// The wx application the window tests run in.
namespace {

class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = RUN_ALL_TESTS();
    qel::display::test::Pump(20);
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
