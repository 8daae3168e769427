// Whole-file reads with a size limit, and replacements of files that either
// happen whole or not at all.
//
// A replacement is written beside its target and renamed over it only once
// it is safely on disk. It honours the target's permissions (a file the user
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

// One replacement of a file. Begin prepares it, the caller fills the
// temporary file (through Fd, or by name through TempPath when it was begun
// with a name, for libraries that open files themselves), Commit puts it in
// place. A replacement that is not committed is removed when the object goes.
class CFileReplacement {
 public:
  enum class Temp { kAnonymous, kNamed };

  CFileReplacement() = default;
  ~CFileReplacement();
  CFileReplacement(const CFileReplacement&) = delete;
  CFileReplacement& operator=(const CFileReplacement&) = delete;

  // Refuses a target that is not a regular file or that the user may not
  // write; removes stale temporary files of this program beside it; creates
  // the temporary file. A symbolic link is followed: the real file is
  // replaced and the link stays.
  bool Begin(const std::string& path, Temp temp, std::string* error);
  // The open temporary file (-1 before Begin). Named temporary files may be
  // closed and reopened by name in between; Commit reopens as needed.
  int Fd() const { return m_fd; }
  const std::string& TempPath() const { return m_tempPath; }
  // Flushes the temporary file, gives it the old file's owner, group, mode,
  // ACL and extended attributes, renames it over the target and flushes the
  // folder. On failure the target is as it was and the temporary file gone.
  bool Commit(std::string* error);
  // Removes the temporary file; the target stays as it was.
  void Abandon();

  // The marker in the names of this program's temporary files.
  static constexpr const char* kTempMarker = ".qeltmp-";

 private:
  bool CopyMetadata(std::string* error);

  std::string m_path;    // as the caller named it (for messages)
  std::string m_target;  // the real file that is replaced
  std::string m_folder;
  std::string m_tempPath;  // empty for an anonymous file not linked yet
  int m_fd = -1;
  bool m_exists = false;
  struct stat m_old {};
};

// Replaces path with the bytes (a CFileReplacement with an anonymous
// temporary file).
bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error);

// Removes the temporary files that replacements of this program left in the
// folder of path when their process ended before finishing: only files of
// this user, made on this host, whose process no longer runs.
void RemoveStaleTempFiles(const std::string& folder);

}  // namespace qel
