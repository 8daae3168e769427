#include "engine/library/TaskLibraries.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/ProgramFolder.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

namespace {

constexpr const char* kPluginPrefix = "Qel";
constexpr const char* kPluginExtension = ".qet";

CTaskLibrary g_taskLibraries[kMaxTaskLibraries];
int g_taskLibraryCount = 0;

// The program's own folder until the program names another.
std::string& TaskFolder() {
  static std::string folder = ProgramFolder();
  return folder;
}

bool IsPluginName(const char* name) {
  const size_t length = std::strlen(name);
  const size_t prefix = std::strlen(kPluginPrefix);
  const size_t extension = std::strlen(kPluginExtension);
  return length >= prefix + extension && strncasecmp(name, kPluginPrefix, prefix) == 0 &&
         strcasecmp(name + length - extension, kPluginExtension) == 0;
}

// Name order ignoring case; names that differ only in case keep a fixed order.
bool NameLess(const std::string& a, const std::string& b) {
  const int c = strcasecmp(a.c_str(), b.c_str());
  return c != 0 ? c < 0 : a < b;
}

// Plug-in files of the folder: regular files only, the first 40 in name order.
std::vector<std::string> ListPluginFiles(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (const dirent* e = readdir(dir)) {
    if (!IsPluginName(e->d_name)) continue;
    struct stat st;
    if (stat((folder + e->d_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.emplace_back(e->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), NameLess);
  if (names.size() > static_cast<size_t>(kMaxTaskLibraries)) names.resize(kMaxTaskLibraries);
  return names;
}

}  // namespace

void SetTaskFolder(const char* path) {
  // A bare name (an argv[0] found through PATH) says nothing about a folder.
  const char* slash = path ? std::strrchr(path, '/') : nullptr;
  if (!slash) return;
  TaskFolder() = std::string(path, static_cast<size_t>(slash - path) + 1);
}

const std::string& GetTaskFolder() { return TaskFolder(); }

int FindTaskLibraries(ITaskHost* host) {
  // A second scan starts from an empty table, so no module is left behind.
  UnloadTaskLibraries();
  if (host) host->SetRunFlags(0);
  const std::string& folder = TaskFolder();
  int count = 0;
  for (const std::string& name : ListPluginFiles(folder)) {
    const std::string path = folder + name;
    CTaskLibrary& record = g_taskLibraries[count];
    record.host = host;
    if (!record.Load(path.c_str(), true)) continue;
    record.SetPath(path);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
      // Counted records only: one that cannot be kept is unloaded at once.
      record.Unload();
      continue;
    }
    record.SetFileTime(static_cast<int64_t>(st.st_mtim.tv_sec));
    ++count;
  }
  g_taskLibraryCount = count;
  return count;
}

void UnloadTaskLibraries() {
  while (g_taskLibraryCount > 0) {
    --g_taskLibraryCount;
    g_taskLibraries[g_taskLibraryCount].Unload();
  }
}

void ResetTaskNorms() {
  for (int i = 0; i < g_taskLibraryCount; ++i) g_taskLibraries[i].ResetNorms();
}

int GetTaskLibraryCount() { return g_taskLibraryCount; }

CTaskLibrary* GetTaskLibrary(int i) {
  if (i < 0 || i >= g_taskLibraryCount) return nullptr;
  return &g_taskLibraries[i];
}

CTaskLibrary* FindTaskLibrary(const char* code) {
  if (!code) return nullptr;
  for (int i = 0; i < g_taskLibraryCount; ++i) {
    CTaskLibrary& record = g_taskLibraries[i];
    if (record.modelDefault && record.GetShortCode() == code) return &record;
  }
  return nullptr;
}

}  // namespace qel
