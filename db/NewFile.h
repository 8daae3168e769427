// The database layer's new files (a database being created, an export file
// being written): common/AtomicFile.h's CFileReplacement, its failures
// thrown as a DbException whose kind comes from the errno (kFileExists when
// a new-only file finds its name taken).
//
// Thread contract: one file is used by one thread at a time.
#pragma once

#include <string>

#include "common/AtomicFile.h"

namespace qel {

void BeginNewFile(CFileReplacement& file, const std::string& target, CFileReplacement::Temp temp,
                  CFileReplacement::Mode mode);
void CommitNewFile(CFileReplacement& file);

}  // namespace qel
