// wx for the tests on the real devices: an application with an active event
// loop, which the tests pump themselves (GTK events included).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

namespace {

class RealRunApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(RealRunApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!wxEntryStart(argc, argv)) return 2;
  wxTheApp->CallOnInit();
  int result;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = RUN_ALL_TESTS();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
