// A plug-in exports TaskEntry and g_ModelDefault and nothing else: checked
// with nm on the test plug-ins and on every plug-in of the program folder.
#include <gtest/gtest.h>
#include <strings.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

namespace qel {

namespace fs = std::filesystem;

namespace {

// The dynamic symbols a file defines, as "nm -D --defined-only" lists them.
std::set<std::string> DefinedSymbols(const fs::path& file) {
  const std::string command = std::string(QEL_NM) + " -D --defined-only '" + file.string() + "'";
  std::set<std::string> names;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run " << command;
    return names;
  }
  char line[4096];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  EXPECT_EQ(pclose(pipe), 0) << command;
  return names;
}

bool IsPluginName(const std::string& name) {
  return name.size() >= 7 && strncasecmp(name.c_str(), "Qel", 3) == 0 &&
         strcasecmp(name.c_str() + name.size() - 4, ".qet") == 0;
}

const std::set<std::string> kBoth = {"TaskEntry", "g_ModelDefault"};

TEST(PluginExports, TestPluginsExportOnlyTheirEntryAndDefault) {
  const std::string dir = ENGLIB_PLUGIN_DIR;
  EXPECT_EQ(DefinedSymbols(dir + "/QelEnglibGood.qet"), kBoth);
  EXPECT_EQ(DefinedSymbols(dir + "/QelEnglibVersion2.qet"), kBoth);
  EXPECT_EQ(DefinedSymbols(dir + "/QelEnglibNoEntry.qet"), std::set<std::string>{"g_ModelDefault"});
  EXPECT_EQ(DefinedSymbols(dir + "/QelEnglibNoDefault.qet"), std::set<std::string>{"TaskEntry"});
}

TEST(PluginExports, ProgramFolderPluginsExportOnlyTheirEntryAndDefault) {
  std::error_code ec;
  int checked = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(QEL_OUTPUT_DIR, ec)) {
    if (!e.is_regular_file() || !IsPluginName(e.path().filename().string())) continue;
    SCOPED_TRACE(e.path().string());
    EXPECT_EQ(DefinedSymbols(e.path()), kBoth);
    ++checked;
  }
  std::printf("%d plug-ins checked in %s\n", checked, QEL_OUTPUT_DIR);
}

}  // namespace

}  // namespace qel
