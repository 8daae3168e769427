// The program's user dialogs: the log-in and the registration of
// workstation users, both through CDlgUser; registration writes through the
// program's workstation users service.
#pragma once

#include <string>
#include <vector>

#include "app/startup/AppStartup.h"

namespace qel {

class CUserDialogs : public IUserDialogs {
 public:
  // folder: the users file's folder as the program's services know it.
  explicit CUserDialogs(std::string folder) : m_folder(std::move(folder)) {}

  bool Login(const std::vector<CUserRecord>& users, CUserRecord* user) override;
  bool RegisterUser(CUserRecord* user) override;

 private:
  std::string m_folder;
};

// Makes the user dialogs on this folder the program's, keeping its other
// services; they live as long as the program.
void InstallUserDialogs(const std::string& folder);

}  // namespace qel
