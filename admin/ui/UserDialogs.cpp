#include "admin/ui/UserDialogs.h"

#include <wx/app.h>

#include <memory>

#include "admin/ui/DlgUser.h"

namespace qel {

bool CUserDialogs::Login(const std::vector<CUserRecord>& users, CUserRecord* user) {
  CDlgUser dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, users, nullptr, UserDlgMode::kLogin, false);
  dialog.SetWriter([&dialog](const CUserRecord& record, bool add) {
    const std::string acting = IsUserLoggedIn() ? g_LoggedUser.m_id : record.m_id;
    if (!SaveWorkstationUser(record, acting, add)) return false;
    if (IWorkstationUsers* service = GetAppServices().users) dialog.SetUsers(service->Users());
    return true;
  });
  // A user who has just registered with a new password is logged in too.
  if (dialog.ShowModal() != wxID_OK) return false;
  *user = dialog.Record();
  return true;
}

bool CUserDialogs::RegisterUser(CUserRecord* user) {
  IWorkstationUsers* service = GetAppServices().users;
  if (!service) return false;
  CDlgUser dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, service->Users(), nullptr, UserDlgMode::kRegister,
                  false);
  dialog.SetWriter([service, &dialog](const CUserRecord& record, bool add) {
    const std::string acting = IsUserLoggedIn() ? g_LoggedUser.m_id : record.m_id;
    if (!SaveWorkstationUser(record, acting, add)) return false;
    dialog.SetUsers(service->Users());
    return true;
  });
  if (dialog.ShowModal() != wxID_OK) return false;
  *user = dialog.Record();
  return true;
}

void InstallUserDialogs() {
  static std::unique_ptr<CUserDialogs> dialogs;
  dialogs = std::make_unique<CUserDialogs>();
  AppServices services = GetAppServices();
  services.userDialogs = dialogs.get();
  SetAppServices(services);
}

}  // namespace qel
