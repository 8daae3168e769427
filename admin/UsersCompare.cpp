#include "admin/UsersCompare.h"

namespace qel {

std::string UsersListNotice(bool viewOnly, const std::string& idToFind) {
  if (!idToFind.empty()) return kDuplicateUserNotice;
  return viewOnly ? kNoUsersNotice : kDuplicateUserNotice;
}

bool UsersListNoticeShown(bool viewOnly, int count, bool idFound) { return viewOnly && (count < 1 || idFound); }

std::string UsersListCaption(const std::string& source, const std::string& idToFind) {
  if (idToFind.empty()) return source + ": Registered Users";
  return source + ": Search for user " + idToFind;
}

int FindUserRow(const std::vector<CUserRecord>& users, const std::string& id) {
  if (id.empty()) return -1;
  for (size_t i = 0; i < users.size(); ++i) {
    if (users[i].m_id == id) return static_cast<int>(i);
  }
  return -1;
}

bool IsSameUser(const CUserRecord& a, const CUserRecord& b) {
  return a.m_password == b.m_password && a.m_firstName == b.m_firstName && a.m_surname == b.m_surname &&
         a.m_comment == b.m_comment && a.m_institute == b.m_institute;
}

CUsersComparison CompareUsers(const std::vector<CUserRecord>& compared, const std::vector<CUserRecord>& reference) {
  CUsersComparison out;
  out.marks.reserve(compared.size());
  for (const CUserRecord& user : compared) {
    int namesakes = 0;
    int differing = 0;
    for (const CUserRecord& other : reference) {
      if (other.m_id != user.m_id) continue;
      ++namesakes;
      if (!IsSameUser(user, other)) ++differing;
    }
    out.marks.push_back(differing > 0 ? UserMark::kDiffers : namesakes == 0 ? UserMark::kMissing : UserMark::kNone);
    out.differences += differing;
  }
  return out;
}

std::string UsersCompareCaption(const std::string& projectName, bool projectAgainstWorkstation) {
  return "Project " + projectName + ": " +
         (projectAgainstWorkstation ? "Compare Project Users with Workstation Users"
                                    : "Compare Workstation Users with Project Users");
}

}  // namespace qel
