#include "db/FilePublish.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

#include "db/DbException.h"

namespace qel {

namespace {

constexpr int kNameAttempts = 100;
constexpr size_t kCopyChunk = 1 << 20;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ProcPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

std::string RandomSuffix() {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::string s;
  for (int i = 0; i < 8; ++i) s += kChars[device() % (sizeof kChars - 1)];
  return s;
}

// A hidden name beside the target that no file has yet.
std::string SiblingName(const std::string& folder, const std::string& base) {
  return folder + "/." + base + ".new-" + RandomSuffix();
}

// An unnamed file in the folder; -1 (errno set) when the file system has none.
int OpenUnnamed(const std::string& folder) { return ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666); }

bool UnnamedUnsupported(int err) { return err == EOPNOTSUPP || err == EISDIR || err == EINVAL; }

void CopyContent(int from, int to, const std::string& target) {
  std::vector<char> buffer(kCopyChunk);
  off_t offset = 0;
  while (true) {
    const ssize_t n = ::pread(from, buffer.data(), buffer.size(), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw DbException::FromSystem(errno, "Cannot read the new file for", target);
    }
    if (n == 0) break;
    ssize_t done = 0;
    while (done < n) {
      const ssize_t w = ::pwrite(to, buffer.data() + done, static_cast<size_t>(n - done), offset + done);
      if (w < 0) {
        if (errno == EINTR) continue;
        throw DbException::FromSystem(errno, "Cannot write the new file for", target);
      }
      done += w;
    }
    offset += n;
  }
}

// Owner, group, mode and extended attributes of the file at path onto fd.
void CopyAttributes(const std::string& path, const struct stat& st, int fd) {
  // Keeping the owner works only for one's own files (or as root); otherwise the new file keeps ours.
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) errno = 0;
  ::fchmod(fd, st.st_mode & 07777);
  const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::vector<char> names(static_cast<size_t>(size));
  const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
  if (got <= 0) return;
  for (size_t at = 0; at < static_cast<size_t>(got);) {
    const char* name = names.data() + at;
    const ssize_t vsize = ::getxattr(path.c_str(), name, nullptr, 0);
    if (vsize >= 0) {
      std::vector<char> value(static_cast<size_t>(vsize));
      const ssize_t vgot = ::getxattr(path.c_str(), name, value.data(), value.size());
      if (vgot >= 0) ::fsetxattr(fd, name, value.data(), static_cast<size_t>(vgot), 0);
    }
    at += std::char_traits<char>::length(name) + 1;
  }
}

void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

NewFileBeside::~NewFileBeside() { Discard(); }

void NewFileBeside::Create(const std::string& target, bool withName) {
  Discard();
  std::string real = target;
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* resolved = ::realpath(target.c_str(), nullptr)) {
      real = resolved;
      std::free(resolved);
    }
  }
  m_target = real;
  m_folder = FolderOf(real);
  if (!withName) {
    m_fd = OpenUnnamed(m_folder);
    if (m_fd >= 0) {
      m_unnamed = true;
      m_writePath = ProcPath(m_fd);
      return;
    }
    if (!UnnamedUnsupported(errno)) {
      const int err = errno;
      Reset();
      throw DbException::FromSystem(err, "Cannot make a new file beside", target);
    }
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = SiblingName(m_folder, BaseOf(real));
    m_fd = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
      m_name = name;
      m_writePath = name;
      return;
    }
    if (errno != EEXIST) break;
  }
  const int err = errno;
  Reset();
  throw DbException::FromSystem(err, "Cannot make a new file beside", target);
}

void NewFileBeside::DropName() {
  if (m_fd < 0 || m_name.empty() || m_finalFd >= 0) return;
  const int unnamed = OpenUnnamed(m_folder);
  if (unnamed < 0) return;  // the name stays until publishing
  m_finalFd = unnamed;
  ::unlink(m_name.c_str());
  m_name.clear();
}

void NewFileBeside::Publish(bool replace) {
  if (m_fd < 0) throw DbException::Logic("No new file to put in place of \"" + m_target + "\".");
  try {
    int content = m_fd;
    if (m_finalFd >= 0) {
      CopyContent(m_fd, m_finalFd, m_target);
      content = m_finalFd;
    }
    struct stat old {};
    const bool exists = ::stat(m_target.c_str(), &old) == 0;
    if (exists && !replace) throw DbException::FromSystem(EEXIST, "Cannot create", m_target);
    if (exists) {
      if (!S_ISREG(old.st_mode)) throw DbException::FromSystem(EISDIR, "Cannot replace", m_target);
      if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0) {
        throw DbException::FromSystem(errno, "Cannot replace", m_target);
      }
      CopyAttributes(m_target, old, content);
    }
    if (::fsync(content) != 0) throw DbException::FromSystem(errno, "Cannot write", m_target);
    const bool unnamedContent = m_unnamed || m_finalFd >= 0;
    if (unnamedContent) {
      const std::string source = ProcPath(content);
      if (!replace) {
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, m_target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
          throw DbException::FromSystem(errno, "Cannot create", m_target);
        }
      } else {
        std::string temp;
        int err = EEXIST;
        for (int attempt = 0; attempt < kNameAttempts && err == EEXIST; ++attempt) {
          temp = SiblingName(m_folder, BaseOf(m_target));
          err = ::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
        }
        if (err != 0) throw DbException::FromSystem(err, "Cannot write", m_target);
        if (::rename(temp.c_str(), m_target.c_str()) != 0) {
          err = errno;
          ::unlink(temp.c_str());
          throw DbException::FromSystem(err, "Cannot replace", m_target);
        }
      }
    } else if (!replace) {
      if (::renameat2(AT_FDCWD, m_name.c_str(), AT_FDCWD, m_target.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) throw DbException::FromSystem(errno, "Cannot create", m_target);
        // A file system without the no-replace rename: a new link fails on an existing name as well.
        if (::link(m_name.c_str(), m_target.c_str()) != 0) {
          throw DbException::FromSystem(errno, "Cannot create", m_target);
        }
        ::unlink(m_name.c_str());
      }
      m_name.clear();
    } else {
      if (::rename(m_name.c_str(), m_target.c_str()) != 0) {
        throw DbException::FromSystem(errno, "Cannot replace", m_target);
      }
      m_name.clear();
    }
  } catch (...) {
    Discard();
    throw;
  }
  SyncFolder(m_folder);
  Reset();
}

void NewFileBeside::Discard() noexcept {
  if (!m_name.empty()) ::unlink(m_name.c_str());
  Reset();
}

void NewFileBeside::Reset() noexcept {
  if (m_fd >= 0) ::close(m_fd);
  if (m_finalFd >= 0) ::close(m_finalFd);
  m_fd = -1;
  m_finalFd = -1;
  m_unnamed = false;
  m_name.clear();
  m_writePath.clear();
}

}  // namespace qel
