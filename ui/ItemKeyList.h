// Row keys of a list or combo box: one key text per row, the number of rows
// the owner accounts for, the key of the row selected last, the window that
// receives the list's notifications and the object the rows came from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class wxWindow;

namespace qel {

// A string array with the look-up the lists use, and the file search that
// the project list and the plug-in loader share.
class CStringArrayEx : public std::vector<std::string> {
 public:
  // Index of the first element equal to text (case-sensitive); -1 when
  // absent or text is null.
  int Find(const char* text) const;
  // Appends the full path of each file the pattern (a folder and a file
  // pattern with * and ?) finds, in the folder's order, until maximum paths
  // were appended. times (emptied first) receives each file's last-write
  // time (seconds since 1970), sizes (not emptied) each file's length.
  // The number appended; 0 for a null pattern.
  int FindFiles(const char* pattern, int maximum, std::vector<int64_t>* times, std::vector<uint64_t>* sizes);
  // Sorts the paths by the locale's collation (ignoring case when asked),
  // keeping equal paths in their order; times and sizes follow their paths.
  void SortFiles(std::vector<int64_t>* times, std::vector<uint64_t>* sizes, bool noCase, bool descending);
};

class CItemKeyList {
 public:
  // Key of row i; "" when i, taken as unsigned, is not below the row count.
  std::string GetKey(int i) const;

  wxWindow* m_pOwner = nullptr;         // not owned; nothing is notified while null
  const void* m_pDataSource = nullptr;  // not owned
  CStringArrayEx m_keys;
  uint32_t m_nRowCount = 0;
  std::string m_strCurrentKey;
};

}  // namespace qel
