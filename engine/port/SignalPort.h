// Event marks for external recording equipment: single bytes written to
// the first parallel port during a run (0 at the start and at signal off,
// 128 at signal on, the low byte of the response code at a response).
// Only when the SignalSync setting is on; otherwise every operation does
// nothing.
//
// The port is a Linux ppdev device (/dev/parport0 unless configured): the
// byte goes to the data lines (PPWDATA) of the claimed port. A path that
// names a FIFO or a plain file receives the bytes instead. Writes never
// block: a FIFO without a reader cannot be opened, and a full one drops the
// byte.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

class CSignalPort {
 public:
  static constexpr const char* kDefaultPath = "/dev/parport0";
  // Environment variable that names another port (or a FIFO or file).
  static constexpr const char* kPathVariable = "QEL_PARPORT";

  CSignalPort();
  ~CSignalPort();
  CSignalPort(const CSignalPort&) = delete;
  CSignalPort& operator=(const CSignalPort&) = delete;

  // The SignalSync setting ("External sync on signal").
  void SetSignalSync(bool on) { m_signalSync = on; }
  bool SignalSync() const { return m_signalSync; }

  void SetPath(const std::string& path) { m_path = path; }
  const std::string& Path() const { return m_path; }

  // Opens the port when SignalSync is on and it is not open yet; returns
  // whether it is open. A port that cannot be opened stays closed and the
  // run goes on without signals (LastError says why).
  bool Open();
  // Writes one byte when SignalSync is on and the port is open. The outcome
  // is not waited for; a byte that cannot be written is dropped.
  void WriteByte(uint8_t value);
  // Closes the port when it is open (also when SignalSync went off meanwhile).
  void Close();

  bool IsOpen() const { return m_fd >= 0; }
  const std::string& LastError() const { return m_lastError; }

 private:
  enum class Kind { kNone, kParallelPort, kStream };

  bool Fail(const std::string& what, int error);

  bool m_signalSync = false;
  std::string m_path;
  int m_fd = -1;
  Kind m_kind = Kind::kNone;
  std::string m_lastError;
};

}  // namespace qel
