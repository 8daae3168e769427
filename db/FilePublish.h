// A new file made beside its target and put in place only when complete, so
// that the good copy of a file is never removed before its replacement is
// whole on disk and a crash leaves no half-written file under the target's
// name (and, where the file system allows unnamed files, no temporary file
// at all).
//
// Thread contract: one object is used by one thread at a time.
#pragma once

#include <string>

namespace qel {

class NewFileBeside {
 public:
  NewFileBeside() = default;
  ~NewFileBeside();  // an unpublished file is discarded
  NewFileBeside(const NewFileBeside&) = delete;
  NewFileBeside& operator=(const NewFileBeside&) = delete;

  // Prepares an empty new file in the target's folder (beside the real file
  // when the target is a symbolic link). withName: the file gets a hidden
  // name of its own, for libraries that reopen their files by name (SQLite);
  // otherwise it has no name at all until it is published. Throws a
  // DbException when the folder does not take a new file.
  void Create(const std::string& target, bool withName);

  bool IsActive() const { return m_fd >= 0; }
  const std::string& Target() const { return m_target; }
  // A path through which a library opens the new file for writing.
  const std::string& WritePath() const { return m_writePath; }
  int Descriptor() const { return m_fd; }

  // For a file made with a name, once the library has it open: the name
  // goes, the content stays reachable through the descriptor. Where the
  // file system keeps no unnamed files the name stays until publishing.
  void DropName();

  // Puts the content under the target's name and flushes it and the folder
  // to disk. Without replace an existing target makes it fail (kFileExists)
  // and stays untouched; with replace, an existing target must be writable
  // and its owner, group, mode and extended attributes (access control lists
  // among them) pass to the new file. Throws a DbException on failure; the
  // new file is then discarded.
  void Publish(bool replace);

  // Drops the new file (nothing happens to the target).
  void Discard() noexcept;

 private:
  void Reset() noexcept;

  std::string m_target;
  std::string m_folder;
  std::string m_writePath;
  std::string m_name;  // the new file's own name while it has one
  int m_fd = -1;       // the content
  int m_finalFd = -1;  // an unnamed file that takes the content when the name was dropped
  bool m_unnamed = false;
};

}  // namespace qel
