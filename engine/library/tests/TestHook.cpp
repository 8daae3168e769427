#include "engine/library/tests/TestHook.h"

#include <dlfcn.h>

#include <fstream>

#include "engine/library/tests/plugins/TestPluginHook.h"

namespace qel {

// Looked up by the test plug-ins in this program.
extern "C" __attribute__((visibility("default"))) bool EnglibTestHook(ITaskLibrary* record, uint32_t command,
                                                                      intptr_t a, intptr_t b, intptr_t c,
                                                                      int32_t* out) {
  test::PluginScript& script = test::PluginScript::Get();
  script.calls.push_back({record, command, a, b, c, out != nullptr});
  return script.answer ? script.answer(record, command, a, b, c, out) : true;
}

namespace test {

PluginScript& PluginScript::Get() {
  static PluginScript script;
  return script;
}

std::vector<uint32_t> PluginScript::Commands() const {
  std::vector<uint32_t> commands;
  for (const PluginCall& call : calls) commands.push_back(call.command);
  return commands;
}

std::vector<uint32_t> PluginScript::CommandsOf(const ITaskLibrary* record) const {
  std::vector<uint32_t> commands;
  for (const PluginCall& call : calls) {
    if (call.record == record) commands.push_back(call.command);
  }
  return commands;
}

std::string PluginPath(const std::string& name) {
  return std::string(ENGLIB_PLUGIN_DIR) + "/QelEnglib" + name + ".qet";
}

void PluginFolder::AddPlugin(const std::string& plugin, const std::string& fileName) const {
  std::filesystem::copy_file(PluginPath(plugin), Path() / fileName);
}

void PluginFolder::AddFile(const std::string& fileName, const std::string& content) const {
  std::ofstream(Path() / fileName, std::ios::binary) << content;
}

bool IsModuleLoaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!handle) return false;
  dlclose(handle);
  return true;
}

}  // namespace test

}  // namespace qel
