#include "common/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace qel {

namespace {

std::string SystemError(const std::string& what, const std::string& path, int err) {
  return what + " \"" + path + "\": " + std::strerror(err);
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

bool WriteAll(int fd, const uint8_t* p, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

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

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "host";
  std::string host(name);
  // The host goes into a file name between '@' and '~'.
  std::replace_if(
      host.begin(), host.end(), [](char c) { return c == '/' || c == '~' || c == '@'; }, '_');
  return host;
}

// ".<name>.qeltmp-<pid>@<host>~<random>": the process and host that made it.
std::string TempName(const std::string& target) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string tail;
  for (int i = 0; i < 8; ++i) tail += kLetters[random() % (sizeof kLetters - 1)];
  return FolderOf(target) + "/." + BaseOf(target) + CFileReplacement::kTempMarker + std::to_string(::getpid()) + "@" +
         HostName() + "~" + tail;
}

void FlushFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

bool ReadFileBounded(const std::string& path, size_t maxSize, std::vector<uint8_t>* out, std::string* error) {
  out->clear();
  // Not blocking: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    SetError(error, SystemError("Cannot open", path, errno));
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    SetError(error, SystemError("Cannot read", path, err));
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    SetError(error, "\"" + path + "\" is not a file.");
    return false;
  }
  if (static_cast<uint64_t>(st.st_size) > maxSize) {
    ::close(fd);
    SetError(error, "\"" + path + "\" is too large (" + std::to_string(st.st_size) + " bytes).");
    return false;
  }
  // Read up to one byte more than the limit, so a file that grows meanwhile is caught too.
  out->resize(static_cast<size_t>(st.st_size) + 1);
  size_t got = 0;
  while (true) {
    if (got == out->size()) {
      if (out->size() > maxSize) break;
      out->resize(std::min(out->size() * 2, maxSize + 1));
    }
    const ssize_t n = ::read(fd, out->data() + got, out->size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      out->clear();
      SetError(error, SystemError("Cannot read", path, err));
      return false;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  if (got > maxSize) {
    out->clear();
    SetError(error, "\"" + path + "\" is too large.");
    return false;
  }
  out->resize(got);
  return true;
}

CFileReplacement::~CFileReplacement() { Abandon(); }

void CFileReplacement::Abandon() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (!m_tempPath.empty()) ::unlink(m_tempPath.c_str());
  m_tempPath.clear();
}

std::string CFileReplacement::WritePath() const {
  if (!m_tempPath.empty()) return m_tempPath;
  return m_fd >= 0 ? "/proc/self/fd/" + std::to_string(m_fd) : std::string();
}

bool CFileReplacement::Fail(std::string* error, const std::string& text, int err) {
  m_errno = err;
  SetError(error, text);
  return false;
}

bool CFileReplacement::Begin(const std::string& path, Temp temp, std::string* error, Mode mode) {
  Abandon();
  m_path = path;
  m_target = path;
  m_mode = mode;
  m_errno = 0;
  if (path.empty()) return Fail(error, "No file name.", ENOENT);
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    if (mode == Mode::kNewOnly) return Fail(error, SystemError("Cannot create", path, EEXIST), EEXIST);
    if (!S_ISREG(old.st_mode)) return Fail(error, "\"" + path + "\" is not a file.", EISDIR);
    // The file the user sees may be a link: replace the real file beside it.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      m_target = real;
      std::free(real);
    }
    // A file the user may not write is not replaced behind its back.
    if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0) {
      return Fail(error, SystemError("Cannot write", path, errno), errno);
    }
  } else if (errno != ENOENT) {
    return Fail(error, SystemError("Cannot write", path, errno), errno);
  } else if (mode == Mode::kNewOnly) {
    struct stat link {};
    // A dangling symbolic link is a name taken all the same.
    if (::lstat(path.c_str(), &link) == 0) return Fail(error, SystemError("Cannot create", path, EEXIST), EEXIST);
  }
  m_folder = FolderOf(m_target);
  RemoveStaleTempFiles(m_folder);

  if (temp == Temp::kAnonymous) {
    m_fd = ::open(m_folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (m_fd >= 0) return true;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      return Fail(error, SystemError("Cannot create a file beside", m_target, errno), errno);
    }
  }
  // A named file; the mode is masked by the umask like any new file.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = TempName(m_target);
    m_fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
      m_tempPath = name;
      return true;
    }
    if (errno != EEXIST) break;
  }
  return Fail(error, SystemError("Cannot create a file beside", m_target, errno), errno);
}

bool CFileReplacement::CopyMetadata(const struct stat& old, std::string* error) {
  // Mode and extended attributes (the ACL among them) first, while the
  // temporary file is still ours; the owner last.
  if (::fchmod(m_fd, old.st_mode & 07777) != 0) {
    return Fail(error, SystemError("Cannot keep the permissions of", m_path, errno), errno);
  }
  ssize_t listSize = ::listxattr(m_target.c_str(), nullptr, 0);
  if (listSize < 0 && errno != ENOTSUP) {
    return Fail(error, SystemError("Cannot read the attributes of", m_path, errno), errno);
  }
  if (listSize > 0) {
    std::vector<char> names(static_cast<size_t>(listSize));
    listSize = ::listxattr(m_target.c_str(), names.data(), names.size());
    if (listSize < 0) return Fail(error, SystemError("Cannot read the attributes of", m_path, errno), errno);
    for (size_t at = 0; at < static_cast<size_t>(listSize);) {
      const char* name = names.data() + at;
      at += std::strlen(name) + 1;
      std::vector<char> value;
      ssize_t size = ::getxattr(m_target.c_str(), name, nullptr, 0);
      if (size >= 0) {
        value.resize(static_cast<size_t>(size));
        size = ::getxattr(m_target.c_str(), name, value.data(), value.size());
      }
      if (size < 0 || ::fsetxattr(m_fd, name, value.data(), static_cast<size_t>(size), 0) != 0) {
        return Fail(error, SystemError(std::string("Cannot keep the attribute ") + name + " of", m_path, errno), errno);
      }
    }
  }
  struct stat now {};
  if (::fstat(m_fd, &now) != 0) return Fail(error, SystemError("Cannot write", m_path, errno), errno);
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    if (::fchown(m_fd, old.st_uid, old.st_gid) != 0) {
      return Fail(error, SystemError("Cannot keep the owner of", m_path, errno), errno);
    }
    // A change of owner clears the set-id bits.
    if ((old.st_mode & (S_ISUID | S_ISGID)) != 0) ::fchmod(m_fd, old.st_mode & 07777);
  }
  return true;
}

// Gives the flushed temporary file the target's name: over the target, or
// (kNewOnly) only where no file of that name is, without a moment in which
// a file of that name would be replaced.
bool CFileReplacement::PutInPlace(std::string* error) {
  if (m_mode == Mode::kNewOnly) {
    if (m_tempPath.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, m_target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        return Fail(error, SystemError("Cannot create", m_path, errno), errno);
      }
      return true;
    }
    if (::renameat2(AT_FDCWD, m_tempPath.c_str(), AT_FDCWD, m_target.c_str(), RENAME_NOREPLACE) == 0) {
      m_tempPath.clear();
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return Fail(error, SystemError("Cannot create", m_path, errno), errno);
    // A file system without the no-replace rename: a new link fails on an existing name as well.
    if (::link(m_tempPath.c_str(), m_target.c_str()) != 0) {
      return Fail(error, SystemError("Cannot create", m_path, errno), errno);
    }
    ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    return true;
  }
  if (m_tempPath.empty()) {
    // An anonymous file gets a name beside the target for the rename.
    const std::string name = TempName(m_target);
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      return Fail(error, SystemError("Cannot write", m_path, errno), errno);
    }
    m_tempPath = name;
  }
  if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
    return Fail(error, SystemError("Cannot write", m_path, errno), errno);
  }
  m_tempPath.clear();
  return true;
}

bool CFileReplacement::Commit(std::string* error) {
  m_errno = 0;
  if (!IsActive()) return Fail(error, "Nothing to write.", 0);
  if (m_fd < 0) {  // named and closed by a library in between
    m_fd = ::open(m_tempPath.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
      Fail(error, SystemError("Cannot write", m_path, errno), errno);
      Abandon();
      return false;
    }
  }
  bool ok = true;
  if (::fsync(m_fd) != 0) ok = Fail(error, SystemError("Cannot write", m_path, errno), errno);
  if (ok && m_mode == Mode::kReplace) {
    // The file replaced is the one there now: its permissions and metadata pass on.
    struct stat old {};
    if (::stat(m_target.c_str(), &old) == 0) {
      if (!S_ISREG(old.st_mode)) {
        ok = Fail(error, "\"" + m_path + "\" is not a file.", EISDIR);
      } else if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0) {
        ok = Fail(error, SystemError("Cannot write", m_path, errno), errno);
      } else {
        ok = CopyMetadata(old, error);
      }
    } else if (errno != ENOENT) {
      ok = Fail(error, SystemError("Cannot write", m_path, errno), errno);
    }
  }
  // A named file is closed before it takes the target's name; an anonymous
  // one is reached through its descriptor until it has a name (its content
  // is on disk already: the flush succeeded).
  const bool named = !m_tempPath.empty();
  if (named) {
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (ok && closed != 0) ok = Fail(error, SystemError("Cannot write", m_path, errno), errno);
  }
  if (ok) ok = PutInPlace(error);
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (!ok) {
    Abandon();
    return false;
  }
  // The new name itself must reach the disk too.
  FlushFolder(m_folder);
  return true;
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error) {
  CFileReplacement replacement;
  if (!replacement.Begin(path, CFileReplacement::Temp::kAnonymous, error)) return false;
  if (!WriteAll(replacement.Fd(), static_cast<const uint8_t*>(data), size)) {
    SetError(error, SystemError("Cannot write", path, errno ? errno : EIO));
    return false;
  }
  return replacement.Commit(error);
}

void RemoveStaleTempFiles(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const std::string host = HostName();
  const uid_t me = ::geteuid();
  const std::string marker = CFileReplacement::kTempMarker;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] != '.') continue;
    const size_t at = name.rfind(marker);
    if (at == std::string::npos) continue;
    // <pid>@<host>~<random>
    const std::string tail = name.substr(at + marker.size());
    const size_t hostAt = tail.find('@');
    const size_t randomAt = tail.rfind('~');
    if (hostAt == std::string::npos || randomAt == std::string::npos || randomAt < hostAt) continue;
    if (tail.substr(hostAt + 1, randomAt - hostAt - 1) != host) continue;
    char* end = nullptr;
    const long pid = std::strtol(tail.c_str(), &end, 10);
    if (end != tail.c_str() + hostAt || pid <= 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // still running
    struct stat st {};
    const std::string path = folder + "/" + name;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != me) continue;
    ::unlink(path.c_str());
  }
  ::closedir(dir);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  struct stat first {}, second {};
  if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0) {
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  }
  std::error_code ec1, ec2;
  const std::filesystem::path x = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec1), ec1);
  const std::filesystem::path y = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec2), ec2);
  if (ec1 || ec2) return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
  return x == y;
}

}  // namespace qel
