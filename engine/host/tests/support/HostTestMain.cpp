// The wx application the host's window tests run in: started without a
// main loop; the tests pump its events themselves.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>

#include "support/HostTestSupport.h"

namespace {

class HostTestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(HostTestApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = RUN_ALL_TESTS();
    qel::test::Pump(20);
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
