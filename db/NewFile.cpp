#include "db/NewFile.h"

#include "db/DbException.h"

namespace qel {

void BeginNewFile(CFileReplacement& file, const std::string& target, CFileReplacement::Temp temp,
                  CFileReplacement::Mode mode) {
  std::string error;
  if (!file.Begin(target, temp, &error, mode)) throw DbException::FromFileError(file.ErrorNumber(), error);
}

void CommitNewFile(CFileReplacement& file) {
  std::string error;
  if (!file.Commit(&error)) throw DbException::FromFileError(file.ErrorNumber(), error);
}

}  // namespace qel
