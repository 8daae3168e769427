#include "ui/ItemKeyList.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace qel {

namespace {

std::string Lower(const std::string& text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

int CStringArrayEx::Find(const char* text) const {
  if (!text) return -1;
  for (size_t i = 0; i < size(); ++i) {
    if ((*this)[i] == text) return static_cast<int>(i);
  }
  return -1;
}

int CStringArrayEx::FindFiles(const char* pattern, int maximum, std::vector<int64_t>* times,
                              std::vector<uint64_t>* sizes) {
  if (times) times->clear();
  if (!pattern) return 0;
  const std::string whole(pattern);
  const size_t slash = whole.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : whole.substr(0, slash + 1);
  const std::string prefix = slash == std::string::npos ? std::string() : folder;
  const std::string names = slash == std::string::npos ? whole : whole.substr(slash + 1);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return 0;
  int appended = 0;
  while (appended < maximum) {
    const dirent* entry = readdir(dir);
    if (!entry) break;
    // File names match as the operator reads them: without regard to case.
    if (fnmatch(names.c_str(), entry->d_name, FNM_CASEFOLD | FNM_PERIOD) != 0) continue;
    const std::string path = prefix + entry->d_name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    push_back(path);
    if (times) times->push_back(static_cast<int64_t>(st.st_mtim.tv_sec));
    if (sizes) sizes->push_back(static_cast<uint64_t>(st.st_size));
    ++appended;
  }
  closedir(dir);
  return appended;
}

void CStringArrayEx::SortFiles(std::vector<int64_t>* times, std::vector<uint64_t>* sizes, bool noCase,
                               bool descending) {
  // A stable sort: paths that compare equal keep their order.
  std::vector<std::string> keys;
  keys.reserve(size());
  for (const std::string& path : *this) keys.push_back(noCase ? Lower(path) : path);
  std::vector<size_t> order(size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int c = std::strcoll(keys[a].c_str(), keys[b].c_str());
    return descending ? c > 0 : c < 0;
  });
  // Times and sizes follow their paths where they have an entry for both places.
  auto permute = [&order](auto* values) {
    if (!values) return;
    auto copy = *values;
    for (size_t i = 0; i < order.size(); ++i)
      if (i < values->size() && order[i] < copy.size()) (*values)[i] = copy[order[i]];
  };
  std::vector<std::string> paths(begin(), end());
  for (size_t i = 0; i < order.size(); ++i) (*this)[i] = paths[order[i]];
  permute(times);
  permute(sizes);
}

std::string CItemKeyList::GetKey(int i) const {
  const uint32_t row = static_cast<uint32_t>(i);
  if (row >= m_nRowCount || row >= m_keys.size()) return std::string();
  return m_keys[row];
}

}  // namespace qel
