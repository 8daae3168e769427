// The users' windows: the user dialog logging in, registering and editing.
#include <gtest/gtest.h>

#include <vector>

#include "admin/ui/DlgUser.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

TEST(AdminUsersWindows, UserDialog) {
  PromptRecorder messages;
  CUserRecord ann;
  ann.m_id = "ann";
  ann.SetPassword("secret");
  ann.m_firstName = "Ann";
  ann.m_surname = "Smith";
  ann.m_institute = "Memory clinic";
  ann.m_registered = QelDateTime::FromDate(2025, 3, 14, 9, 30);
  const std::vector<CUserRecord> users{ann};
  struct Shot {
    UserDlgMode mode;
    const CUserRecord* record;
    const char* name;
  };
  const Shot shots[] = {{UserDlgMode::kLogin, nullptr, "user_login"},
                        {UserDlgMode::kRegister, nullptr, "user_register"},
                        {UserDlgMode::kEdit, &ann, "user_edit"},
                        {UserDlgMode::kView, &ann, "user_view"}};
  for (const Shot& shot : shots) {
    auto* dialog = new CDlgUser(nullptr, users, shot.record, shot.mode, shot.mode == UserDlgMode::kLogin);
    ExpectDrawn(Snap(dialog, shot.name), shot.name);
    dialog->Destroy();
    Pump(20);
  }
}

}  // namespace

}  // namespace qel
