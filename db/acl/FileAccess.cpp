#include "db/acl/FileAccess.h"

#include <acl/libacl.h>
#include <grp.h>
#include <sys/acl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace qel {

namespace {

constexpr size_t kGroupBufferBytes = 16384;

bool Fail(std::string* error, const std::string& path, const std::string& what, int err) {
  if (error) {
    *error = path + ": " + what;
    if (err == ENOTSUP || err == EOPNOTSUPP) {
      *error += " (the file system keeps no access-control lists)";
    } else if (err != 0) {
      *error += std::string(" (") + std::strerror(err) + ")";
    }
  }
  return false;
}

// The group id of the local users' group; false when the system has none.
bool FindLocalUsersGroup(gid_t* gid) {
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(kGroupBufferBytes);
  if (getgrnam_r(kLocalUsersGroup, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return false;
  *gid = found->gr_gid;
  return true;
}

// An ACL object that frees itself.
class AclHolder {
 public:
  explicit AclHolder(acl_t acl) : m_acl(acl) {}
  ~AclHolder() {
    if (m_acl) acl_free(m_acl);
  }
  AclHolder(const AclHolder&) = delete;
  AclHolder& operator=(const AclHolder&) = delete;
  acl_t& Get() { return m_acl; }

 private:
  acl_t m_acl;
};

// The entry of the tag (and, for a named group, of that group); made when
// the ACL has none. False on an error of the library (errno tells).
bool FindOrCreateEntry(acl_t* acl, acl_tag_t tag, const gid_t* group, acl_entry_t* out) {
  acl_entry_t entry;
  for (int got = acl_get_entry(*acl, ACL_FIRST_ENTRY, &entry); got == 1;
       got = acl_get_entry(*acl, ACL_NEXT_ENTRY, &entry)) {
    acl_tag_t entryTag;
    if (acl_get_tag_type(entry, &entryTag) != 0) return false;
    if (entryTag != tag) continue;
    if (!group) {
      *out = entry;
      return true;
    }
    void* qualifier = acl_get_qualifier(entry);
    if (!qualifier) return false;
    const bool same = *static_cast<gid_t*>(qualifier) == *group;
    acl_free(qualifier);
    if (same) {
      *out = entry;
      return true;
    }
  }
  if (acl_create_entry(acl, &entry) != 0 || acl_set_tag_type(entry, tag) != 0) return false;
  if (group && acl_set_qualifier(entry, group) != 0) return false;
  *out = entry;
  return true;
}

// The entry's permissions become exactly read, write and execute as asked.
bool SetPermissions(acl_entry_t entry, bool read, bool write, bool execute) {
  acl_permset_t permissions;
  if (acl_get_permset(entry, &permissions) != 0 || acl_clear_perms(permissions) != 0) return false;
  if (read && acl_add_perm(permissions, ACL_READ) != 0) return false;
  if (write && acl_add_perm(permissions, ACL_WRITE) != 0) return false;
  if (execute && acl_add_perm(permissions, ACL_EXECUTE) != 0) return false;
  return acl_set_permset(entry, permissions) == 0;
}

bool OpenToUsers(const std::string& path, bool allowWriting, bool folder, std::string* error) {
  if (path.empty()) return Fail(error, path, "no file", 0);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Fail(error, path, "cannot be found", errno);
  if (folder != S_ISDIR(st.st_mode)) return Fail(error, path, folder ? "is not a folder" : "is a folder", 0);
  gid_t users = 0;
  if (!FindLocalUsersGroup(&users)) {
    return Fail(error, path, std::string("the system has no group \"") + kLocalUsersGroup + "\"", 0);
  }
  AclHolder acl(acl_get_file(path.c_str(), ACL_TYPE_ACCESS));
  if (!acl.Get()) return Fail(error, path, "its access-control list cannot be read", errno);

  // Reading a folder is searching it too; reading a program is running it.
  const bool execute = folder || (st.st_mode & S_IXUSR) != 0;
  acl_entry_t groupEntry, otherEntry;
  if (!FindOrCreateEntry(&acl.Get(), ACL_GROUP, &users, &groupEntry) ||
      !SetPermissions(groupEntry, true, allowWriting, execute) ||
      !FindOrCreateEntry(&acl.Get(), ACL_OTHER, nullptr, &otherEntry) ||
      !SetPermissions(otherEntry, true, false, execute) || acl_calc_mask(&acl.Get()) != 0) {
    return Fail(error, path, "its access-control list cannot be built", errno);
  }
  if (acl_valid(acl.Get()) != 0) return Fail(error, path, "the access-control list built is not valid", errno);
  if (acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl.Get()) != 0) {
    return Fail(error, path, "its access-control list cannot be written", errno);
  }
  if (folder && acl_set_file(path.c_str(), ACL_TYPE_DEFAULT, acl.Get()) != 0) {
    return Fail(error, path, "its default access-control list cannot be written", errno);
  }
  return true;
}

}  // namespace

bool SetFileAccessForUsers(const std::string& path, bool allowWriting, std::string* error) {
  return OpenToUsers(path, allowWriting, false, error);
}

bool SetFolderAccessForUsers(const std::string& folder, bool allowWriting, std::string* error) {
  return OpenToUsers(folder, allowWriting, true, error);
}

}  // namespace qel
