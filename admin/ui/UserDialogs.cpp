#include "admin/ui/UserDialogs.h"

#include <wx/app.h>

#include <memory>

#include "admin/ui/DlgUser.h"
#include "admin/ui/DlgUsers.h"

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

namespace {

wxWindow* TopWindow() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

std::vector<CUserRecord> WorkstationUsers() {
  IWorkstationUsers* service = GetAppServices().users;
  return service ? service->Users() : std::vector<CUserRecord>();
}

}  // namespace

void CUserDialogs::ShowUser(const CUserRecord& user) {
  CDlgUser dialog(TopWindow(), WorkstationUsers(), &user, UserDlgMode::kView, false);
  dialog.ShowModal();
}

void CUserDialogs::ShowProjectUsers(const std::vector<CUserRecord>& users, const std::string& projectName,
                                    const std::string& idToFind) {
  CDlgUsers dialog(TopWindow(), users, &projectName, true, idToFind);
  dialog.ShowModal();
}

void CUserDialogs::CompareProjectUsers(const std::vector<CUserRecord>& projectUsers, const std::string& projectName,
                                       const std::string& projectPath) {
  CDlgUsersCompare dialog(TopWindow(), WorkstationUsers(), projectUsers, true, projectName, projectPath);
  dialog.ShowModal();
}

void InstallUserDialogs() {
  static std::unique_ptr<CUserDialogs> dialogs;
  dialogs = std::make_unique<CUserDialogs>();
  AppServices services = GetAppServices();
  services.userDialogs = dialogs.get();
  SetAppServices(services);
}

}  // namespace qel
