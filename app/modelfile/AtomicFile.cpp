#include "app/modelfile/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

}  // namespace

bool ReadFileBounded(const std::string& path, size_t maxSize, std::vector<uint8_t>* out, std::string* error) {
  out->clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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

bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error) {
  if (path.empty()) {
    SetError(error, "No file name.");
    return false;
  }
  // Write beside the real file when the path is a symbolic link.
  std::string target = path;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists) {
    if (!S_ISREG(st.st_mode)) {
      SetError(error, "\"" + path + "\" is not a file.");
      return false;
    }
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    SetError(error, SystemError("Cannot create a file beside", target, errno));
    return false;
  }
  mode_t mode;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  int err = 0;
  if (::fchmod(fd, mode) != 0) err = errno;
  if (!err && !WriteAll(fd, static_cast<const uint8_t*>(data), size)) err = errno ? errno : EIO;
  if (!err && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(temp.c_str());
    SetError(error, SystemError("Cannot write", path, err));
    return false;
  }
  // The rename itself must reach the disk too.
  const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace qel
