#include "engine/port/SignalPort.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace qel {

namespace {

// write() to a FIFO whose reader has gone raises SIGPIPE, which would end
// the program. The signal is held back for this thread during the write
// and a pending one is taken away again.
ssize_t WriteWithoutSigpipe(int fd, const void* data, size_t size) {
  sigset_t pipeSet;
  sigset_t oldSet;
  sigemptyset(&pipeSet);
  sigaddset(&pipeSet, SIGPIPE);
  sigset_t pendingBefore;
  sigpending(&pendingBefore);
  const bool alreadyPending = sigismember(&pendingBefore, SIGPIPE) == 1;
  pthread_sigmask(SIG_BLOCK, &pipeSet, &oldSet);
  ssize_t n;
  do {
    n = write(fd, data, size);
  } while (n < 0 && errno == EINTR);
  const int savedErrno = errno;
  if (n < 0 && savedErrno == EPIPE && !alreadyPending) {
    const timespec zero{0, 0};
    while (sigtimedwait(&pipeSet, nullptr, &zero) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &oldSet, nullptr);
  errno = savedErrno;
  return n;
}

}  // namespace

CSignalPort::CSignalPort() {
  const char* configured = std::getenv(kPathVariable);
  m_path = (configured != nullptr && configured[0] != '\0') ? configured : kDefaultPath;
}

CSignalPort::~CSignalPort() { Close(); }

bool CSignalPort::Fail(const std::string& what, int error) {
  m_lastError = m_path + ": " + what + (error != 0 ? std::string(": ") + std::strerror(error) : std::string());
  return false;
}

bool CSignalPort::Open() {
  if (!m_signalSync) return false;
  if (IsOpen()) return true;

  struct stat st {};
  if (stat(m_path.c_str(), &st) != 0) return Fail("cannot open", errno);

  if (S_ISCHR(st.st_mode)) {
    const int fd = open(m_path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail("cannot open", errno);
    if (ioctl(fd, PPCLAIM) != 0) {
      const int error = errno;
      close(fd);
      return Fail("not a parallel port that can be claimed", error);
    }
    m_fd = fd;
    m_kind = Kind::kParallelPort;
  } else if (S_ISFIFO(st.st_mode) || S_ISREG(st.st_mode)) {
    // Non-blocking: a FIFO without a reader fails at once (ENXIO) instead of
    // waiting for one, and a full FIFO never holds a write up.
    const int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | (S_ISREG(st.st_mode) ? O_APPEND : 0);
    const int fd = open(m_path.c_str(), flags);
    if (fd < 0) return Fail(errno == ENXIO ? "no reader on the FIFO" : "cannot open", errno == ENXIO ? 0 : errno);
    m_fd = fd;
    m_kind = Kind::kStream;
  } else {
    return Fail("neither a parallel port, a FIFO nor a file", 0);
  }
  m_lastError.clear();
  return true;
}

void CSignalPort::WriteByte(uint8_t value) {
  if (!m_signalSync || !IsOpen()) return;
  if (m_kind == Kind::kParallelPort) {
    unsigned char data = value;
    if (ioctl(m_fd, PPWDATA, &data) != 0) Fail("write failed", errno);
    return;
  }
  if (WriteWithoutSigpipe(m_fd, &value, 1) != 1) Fail("byte dropped", errno);
}

void CSignalPort::Close() {
  if (!IsOpen()) return;
  if (m_kind == Kind::kParallelPort) ioctl(m_fd, PPRELEASE);
  close(m_fd);
  m_fd = -1;
  m_kind = Kind::kNone;
}

}  // namespace qel
