// Embedded resources. Each module (the program, the display library, every
// plug-in) carries one table, generated at build time from a manifest in its
// source folder (cmake/QelResources.cmake), and finds it with
// QelModuleResources(), which is hidden inside the module.
//
// A "resource module" is a pointer to such a table. The current resource
// module of a module is an explicit value, switched for a scope with
// QelScopedResourceModule and restored on every path.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace qel {

struct QelResource {
  const char* type;  // "TEXT", "WAVE", "BITMAP", "PNG", "ICON", ...
  uint32_t id;
  const unsigned char* data;
  uint32_t size;
};

struct QelResourceTable {
  const QelResource* entries;
  uint32_t count;
};

typedef const QelResourceTable* QelResModule;

// This module's own table (defined by the generated source of each module).
const QelResourceTable& QelModuleResources();

inline const QelResource* QelFindResource(QelResModule module, const char* type, uint32_t id) {
  if (!module || !type) return nullptr;
  for (uint32_t i = 0; i < module->count; ++i) {
    const QelResource& r = module->entries[i];
    if (r.id == id && std::strcmp(r.type, type) == 0) return &r;
  }
  return nullptr;
}

// A TEXT resource as a string, cut at its first NUL byte; "" when missing.
inline std::string QelLoadTextResource(QelResModule module, uint32_t id) {
  const QelResource* r = QelFindResource(module, "TEXT", id);
  if (!r) return std::string();
  const char* p = reinterpret_cast<const char*>(r->data);
  const void* nul = std::memchr(p, 0, r->size);
  return std::string(p, nul ? static_cast<const char*>(nul) - p : r->size);
}

// The current resource module of this module (each module has its own,
// because the variable is hidden). Null means "this module's own table".
inline QelResModule g_qelCurrentResourceModule = nullptr;

inline QelResModule QelGetResourceModule() {
  return g_qelCurrentResourceModule ? g_qelCurrentResourceModule : &QelModuleResources();
}

// Makes a module current for a scope and restores the previous one.
class QelScopedResourceModule {
 public:
  explicit QelScopedResourceModule(QelResModule module) : previous_(g_qelCurrentResourceModule) {
    g_qelCurrentResourceModule = module;
  }
  ~QelScopedResourceModule() { g_qelCurrentResourceModule = previous_; }
  QelScopedResourceModule(const QelScopedResourceModule&) = delete;
  QelScopedResourceModule& operator=(const QelScopedResourceModule&) = delete;

 private:
  QelResModule previous_;
};

}  // namespace qel
