// The program's user dialogs: the log-in and the registration of
// workstation users, both through CDlgUser; registration writes through the
// program's workstation users service. The users lists and their
// comparison show the program's workstation users.
#pragma once

#include <string>
#include <vector>

#include "app/startup/AppStartup.h"

namespace qel {

class CUserDialogs : public IUserDialogs {
 public:
  bool Login(const std::vector<CUserRecord>& users, CUserRecord* user) override;
  bool RegisterUser(CUserRecord* user) override;
  void ShowUser(const CUserRecord& user) override;
  void ShowProjectUsers(const std::vector<CUserRecord>& users, const std::string& projectName,
                        const std::string& idToFind) override;
  void CompareProjectUsers(const std::vector<CUserRecord>& projectUsers, const std::string& projectName,
                           const std::string& projectPath) override;
};

// Makes the user dialogs the program's, keeping its other services; they
// write through the program's workstation users service and live as long as
// the program.
void InstallUserDialogs();

}  // namespace qel
