// Whole-file reads with a size limit, and replacements of files that either
// happen whole or not at all.
//
// A replacement is written beside its target and renamed over it only once
// it is safely on disk; a new file (a database being created, say) is made
// the same way and appears under its name only when complete. It honours the target's permissions (a file the user
// may not write is not replaced), keeps the target's owner, group, mode, ACL
// and extended attributes, never touches the process umask (a new file gets
// the umask and the folder's default ACL from the system), and leaves
// nothing behind after a crash: an anonymous temporary file (O_TMPFILE)
// where the filesystem has them, otherwise a named one that the next
// replacement in that folder removes once its process is gone.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qel {

// Reads a regular file of at most maxSize bytes; false with an error text
// otherwise. A FIFO, device or folder is refused without blocking on it.
bool ReadFileBounded(const std::string& path, size_t maxSize, std::vector<uint8_t>* out, std::string* error);

// One new file put in place whole: it replaces the target (Mode::kReplace)
// or appears where no file was (Mode::kNewOnly). Begin prepares it, the
// caller fills the temporary file (through Fd, or by name through
// WritePath, for libraries that open files themselves), Commit puts it in
// place. A file that is not committed is removed when the object goes.
//
// A library that opened the temporary file by name must close it before
// Commit or Abandon (closing another descriptor of a file ends the
// process's locks on it). Errors come as text; ErrorNumber tells the errno
// of the failure (0 when it was not one of the system's).
//
// Thread contract: one object is used by one thread at a time.
class CFileReplacement {
 public:
  enum class Temp { kAnonymous, kNamed };
  enum class Mode {
    kReplace,  // an existing target is replaced, keeping what Commit says
    kNewOnly,  // an existing target is never touched: Begin and Commit refuse it (EEXIST)
  };

  CFileReplacement() = default;
  ~CFileReplacement();
  CFileReplacement(const CFileReplacement&) = delete;
  CFileReplacement& operator=(const CFileReplacement&) = delete;

  // Refuses a target that is not a regular file or that the user may not
  // write (with kNewOnly: any existing target); removes stale temporary
  // files of this program beside it; creates the temporary file. A
  // symbolic link is followed: the real file is replaced and the link stays.
  bool Begin(const std::string& path, Temp temp, std::string* error, Mode mode = Mode::kReplace);
  bool IsActive() const { return m_fd >= 0 || !m_tempPath.empty(); }
  // The open temporary file (-1 before Begin). Named temporary files may be
  // closed and reopened by name in between; Commit reopens as needed.
  int Fd() const { return m_fd; }
  // The path through which a library opens the temporary file: its name
  // when it has one, else the open descriptor's path under /proc.
  std::string WritePath() const;
  // The real file that is replaced (the target of a symbolic link).
  const std::string& Target() const { return m_target; }
  // Flushes the temporary file, gives it the old file's owner, group, mode,
  // ACL and extended attributes, renames it over the target (kNewOnly: puts
  // it in place only where no file is) and flushes the folder. On failure
  // the target is as it was and the temporary file gone.
  bool Commit(std::string* error);
  // Removes the temporary file; the target stays as it was.
  void Abandon();
  // The errno of the last failure of Begin or Commit; 0 when none was.
  int ErrorNumber() const { return m_errno; }

  // The marker in the names of this program's temporary files.
  static constexpr const char* kTempMarker = ".qeltmp-";

 private:
  bool CopyMetadata(const struct stat& old, std::string* error);
  bool Fail(std::string* error, const std::string& text, int err);
  bool PutInPlace(std::string* error);

  std::string m_path;    // as the caller named it (for messages)
  std::string m_target;  // the real file that is replaced
  std::string m_folder;
  std::string m_tempPath;  // empty for an anonymous file not linked yet
  int m_fd = -1;
  Mode m_mode = Mode::kReplace;
  int m_errno = 0;
};

// Replaces path with the bytes (a CFileReplacement with an anonymous
// temporary file).
bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error);

// Removes the temporary files that replacements of this program left in the
// folder of path when their process ended before finishing: only files of
// this user, made on this host, whose process no longer runs.
void RemoveStaleTempFiles(const std::string& folder);

// Whether the two paths name one file: the same file on the same device
// when both exist (however the paths are spelled, links and letter case of
// a case-blind filesystem included), else the same absolute path once "."
// and ".." are resolved. False when either path is empty.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace qel
