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
#include <cstdlib>
#include <cstring>
#include <random>

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

bool CFileReplacement::Begin(const std::string& path, Temp temp, std::string* error) {
  Abandon();
  m_path = path;
  m_target = path;
  m_exists = false;
  if (path.empty()) {
    SetError(error, "No file name.");
    return false;
  }
  if (::stat(path.c_str(), &m_old) == 0) {
    if (!S_ISREG(m_old.st_mode)) {
      SetError(error, "\"" + path + "\" is not a file.");
      return false;
    }
    // The file the user sees may be a link: replace the real file beside it.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      m_target = real;
      std::free(real);
    }
    // A file the user may not write is not replaced behind its back.
    if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0) {
      SetError(error, SystemError("Cannot write", path, errno));
      return false;
    }
    m_exists = true;
  } else if (errno != ENOENT) {
    SetError(error, SystemError("Cannot write", path, errno));
    return false;
  }
  m_folder = FolderOf(m_target);
  RemoveStaleTempFiles(m_folder);

  if (temp == Temp::kAnonymous) {
    m_fd = ::open(m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd >= 0) return true;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      SetError(error, SystemError("Cannot create a file beside", m_target, errno));
      return false;
    }
  }
  // A named file; the mode is masked by the umask like any new file.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = TempName(m_target);
    m_fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
      m_tempPath = name;
      return true;
    }
    if (errno != EEXIST) break;
  }
  SetError(error, SystemError("Cannot create a file beside", m_target, errno));
  return false;
}

bool CFileReplacement::CopyMetadata(std::string* error) {
  // Mode and extended attributes (the ACL among them) first, while the
  // temporary file is still ours; the owner last.
  if (::fchmod(m_fd, m_old.st_mode & 07777) != 0) {
    SetError(error, SystemError("Cannot keep the permissions of", m_path, errno));
    return false;
  }
  ssize_t listSize = ::listxattr(m_target.c_str(), nullptr, 0);
  if (listSize < 0 && errno != ENOTSUP) {
    SetError(error, SystemError("Cannot read the attributes of", m_path, errno));
    return false;
  }
  if (listSize > 0) {
    std::vector<char> names(static_cast<size_t>(listSize));
    listSize = ::listxattr(m_target.c_str(), names.data(), names.size());
    if (listSize < 0) {
      SetError(error, SystemError("Cannot read the attributes of", m_path, errno));
      return false;
    }
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
        SetError(error, SystemError(std::string("Cannot keep the attribute ") + name + " of", m_path, errno));
        return false;
      }
    }
  }
  struct stat now {};
  if (::fstat(m_fd, &now) != 0) {
    SetError(error, SystemError("Cannot write", m_path, errno));
    return false;
  }
  if (now.st_uid != m_old.st_uid || now.st_gid != m_old.st_gid) {
    if (::fchown(m_fd, m_old.st_uid, m_old.st_gid) != 0) {
      SetError(error, SystemError("Cannot keep the owner of", m_path, errno));
      return false;
    }
    // A change of owner clears the set-id bits.
    if ((m_old.st_mode & (S_ISUID | S_ISGID)) != 0) ::fchmod(m_fd, m_old.st_mode & 07777);
  }
  return true;
}

bool CFileReplacement::Commit(std::string* error) {
  if (m_fd < 0 && m_tempPath.empty()) {
    SetError(error, "Nothing to write.");
    return false;
  }
  if (m_fd < 0) {  // named and closed by a library in between
    m_fd = ::open(m_tempPath.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
      SetError(error, SystemError("Cannot write", m_path, errno));
      Abandon();
      return false;
    }
  }
  bool ok = true;
  if (::fsync(m_fd) != 0) {
    SetError(error, SystemError("Cannot write", m_path, errno));
    ok = false;
  }
  if (ok && m_exists) ok = CopyMetadata(error);
  if (ok && m_tempPath.empty()) {
    // An anonymous file gets a name beside the target for the rename.
    const std::string name = TempName(m_target);
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      SetError(error, SystemError("Cannot write", m_path, errno));
      ok = false;
    } else {
      m_tempPath = name;
    }
  }
  if (ok && ::close(m_fd) != 0) {
    SetError(error, SystemError("Cannot write", m_path, errno));
    ok = false;
  }
  m_fd = -1;
  if (ok && ::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
    SetError(error, SystemError("Cannot write", m_path, errno));
    ok = false;
  }
  if (!ok) {
    Abandon();
    return false;
  }
  m_tempPath.clear();
  // The rename itself must reach the disk too.
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

}  // namespace qel
