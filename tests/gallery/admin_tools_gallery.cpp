// The administration tools' windows: QelUninstall's removal window asking
// to confirm, and the same window after a removal that failed.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/stattext.h>

#include <string>

#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "tools/uninstall/ui/RemovalDialog.h"

namespace qel {

using namespace test;

namespace {

TEST(AdminTools, RemovalWindowAsksFirst) {
  int runs = 0;
  auto* dialog = new CRemovalDialog(nullptr, "Qel Task Battery", "qel-task-battery", [&runs](std::string*) {
    ++runs;
    return 0;
  });
  ExpectDrawn(Snap(dialog, "uninstall_removal"), "removal window");
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(dialog->GetResult(), CRemovalDialog::kNotRun);
  dialog->Destroy();
  Pump(30);
}

TEST(AdminTools, RemovalWindowAfterAFailedRemoval) {
  auto* dialog = new CRemovalDialog(nullptr, "Qel Task Battery", "qel-task-battery", [](std::string* output) {
    *output = "E: Could not open lock file /var/lib/dpkg/lock-frontend - open (13: Permission denied)\n"
              "E: Unable to acquire the dpkg frontend lock, are you root?\n";
    return 100;
  });
  dialog->Remove();
  EXPECT_EQ(dialog->GetResult(), 100);
  dialog->Remove();  // a second confirmation runs nothing
  EXPECT_EQ(dialog->GetResult(), 100);
  ExpectDrawn(Snap(dialog, "uninstall_removal_failed"), "removal window after a failure");
  dialog->Destroy();
  Pump(30);
}

}  // namespace

}  // namespace qel
