// A file read whole as text or written from strings and byte buffers, with
// a message text that reports the last operation for the caller to show
// ("File: <path>\r\n", then the outcome).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qel {

class CTextFile {
 public:
  enum OpenMode { kRead, kCreateWrite };

  // Files of this size or more are not read as text.
  static constexpr uint64_t kMaxTextFileSize = 0x100000000ull;  // 4 GiB

  CTextFile() = default;
  ~CTextFile();
  CTextFile(const CTextFile&) = delete;
  CTextFile& operator=(const CTextFile&) = delete;

  // Opens for reading, or creates (truncates) for writing.
  bool Open(const std::string& path, OpenMode mode);
  bool IsOpen() const { return m_fd >= 0; }

  // The whole file as text: every NUL byte becomes a blank and every line
  // feed without a carriage return before it gets one. False, with the
  // reason in the message, for a file of 4 GiB or more, when memory runs
  // out or when fewer bytes come than the file's length.
  bool ReadWholeFile(std::string* out);
  // Writes the text's bytes without a terminator; the number written.
  size_t WriteString(const char* text);
  size_t WriteString(const std::string& text) { return WriteString(text.c_str()); }
  // Replaces the file at path with the bytes (written beside it and renamed
  // into place, so a failure leaves a previous file whole); true on success.
  bool WriteBufferToFile(const std::string& path, const void* data, size_t size);
  // Closes; with restoreTimes the file keeps the access and modification
  // times it has just before the close.
  void Close(bool restoreTimes = false);

  const std::string& GetMessage() const { return m_message; }
  const std::string& GetPath() const { return m_path; }

 private:
  void StartMessage(const std::string& path);

  int m_fd = -1;
  std::string m_path;
  std::string m_message;
};

}  // namespace qel
