// The main of the GoogleTest programs that need wx: the application is
// started without a main loop and the tests pump its events themselves.
// Built twice: with QEL_TEST_ACTIVE_EVENT_LOOP=1 an event loop is made the
// active one around the tests, so pumping also dispatches the window
// system's (GTK's) events; with 0 only wx's own queue is pumped.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "tests/support/gui/WxPump.h"

namespace qel {

#ifndef QEL_TEST_ACTIVE_EVENT_LOOP
#error "QEL_TEST_ACTIVE_EVENT_LOOP must be 0 or 1"
#endif

namespace {

class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

int RunTests() {
#if QEL_TEST_ACTIVE_EVENT_LOOP
  wxEventLoop loop;
  wxEventLoopActivator active(&loop);
#endif
  const int result = RUN_ALL_TESTS();
  // Windows the last test closed are deleted before the application goes.
  qel::test::Pump(20);
  return result;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 2;
  const int result = RunTests();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
