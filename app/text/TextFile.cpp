#include "app/text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "app/text/NumberText.h"
#include "common/AtomicFile.h"

namespace qel {

namespace {

// The text with NUL bytes as blanks and a carriage return before every
// line feed that has none.
bool ConvertText(const char* p, size_t size, std::string* out) {
  size_t bareFeeds = 0;
  for (size_t i = 0; i < size; ++i) {
    if (p[i] == '\n' && (i == 0 || p[i - 1] != '\r')) ++bareFeeds;
  }
  out->clear();
  try {
    out->reserve(size + bareFeeds);
  } catch (const std::bad_alloc&) {
    // Without room for the whole text at once, build it as it comes.
  }
  try {
    for (size_t i = 0; i < size; ++i) {
      const char c = p[i];
      if (c == '\n' && (i == 0 || p[i - 1] != '\r')) out->push_back('\r');
      out->push_back(c == '\0' ? ' ' : c);
    }
  } catch (const std::bad_alloc&) {
    out->clear();
    return false;
  }
  return true;
}

}  // namespace

CTextFile::~CTextFile() { Close(false); }

void CTextFile::StartMessage(const std::string& path) { m_message = "File: " + path + "\r\n"; }

bool CTextFile::Open(const std::string& path, OpenMode mode) {
  Close(false);
  StartMessage(path);
  const int flags = mode == kRead ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
  // Not blocking: a FIFO or device named like a text file is refused, never waited on.
  m_fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (m_fd < 0) {
    m_message += std::string("Cannot be opened! (") + std::strerror(errno) + ")\r\n";
    return false;
  }
  struct stat st {};
  if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(m_fd);
    m_fd = -1;
    m_message += "Cannot be opened! (not a file)\r\n";
    return false;
  }
  ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
  m_path = path;
  return true;
}

bool CTextFile::ReadWholeFile(std::string* out) {
  out->clear();
  StartMessage(m_path);
  struct stat st {};
  if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
    m_message += "Cannot be read!\r\n";
    return false;
  }
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size >= kMaxTextFileSize) {
    m_message += "Length > " + FormatSize(kMaxTextFileSize - 1, false) + "!\r\n";
    return false;
  }
  std::vector<char> buffer;
  try {
    buffer.resize(static_cast<size_t>(size) + 1);
  } catch (const std::bad_alloc&) {
    m_message += "Not enough memory!\r\n";
    return false;
  }
  size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(m_fd, buffer.data() + got, static_cast<size_t>(size) - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  if (got < size) {
    m_message += "Cannot be read!\r\n";
    return false;
  }
  if (!ConvertText(buffer.data(), got, out)) {
    m_message += "Not enough memory!\r\n";
    return false;
  }
  return true;
}

size_t CTextFile::WriteString(const char* text) {
  if (!text || !*text || m_fd < 0) return 0;
  const size_t length = std::strlen(text);
  size_t written = 0;
  while (written < length) {
    const ssize_t n = ::write(m_fd, text + written, length - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  return written;
}

bool CTextFile::WriteBufferToFile(const std::string& path, const void* data, size_t size) {
  StartMessage(path);
  std::string error;
  if (!WriteFileAtomically(path, data, size, &error)) {
    m_message += error + "\r\n";
    return false;
  }
  return true;
}

void CTextFile::Close(bool restoreTimes) {
  if (m_fd < 0) return;
  // The times as they stand before the close (the writes included), put
  // back afterwards so that closing itself never moves them.
  struct stat before {};
  const bool haveStatus = ::fstat(m_fd, &before) == 0;
  ::close(m_fd);
  m_fd = -1;
  struct stat after {};
  if (restoreTimes && haveStatus && ::stat(m_path.c_str(), &after) == 0) {
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, m_path.c_str(), times, 0);
  }
}

}  // namespace qel
