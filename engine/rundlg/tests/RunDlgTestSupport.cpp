#include "engine/rundlg/tests/RunDlgTestSupport.h"

#include <wx/app.h>

#include <memory>

namespace qel {

namespace test {

CTaskHost& Host() {
  static CTaskHost* host = new CTaskHost;  // lives as long as the program, as in the program
  return *host;
}

CTaskRunData& RunData() {
  static CTaskRunData* data = new CTaskRunData;
  return *data;
}

void Pump() {
  for (int i = 0; i < 3; ++i) wxTheApp->ProcessPendingEvents();
}

namespace {

std::unique_ptr<PluginScript> g_script;

}  // namespace

PluginScript& TheScript() {
  if (!g_script) ResetScript();
  return *g_script;
}

void ResetScript() {
  auto script = std::make_unique<PluginScript>();
  script->clock = [] { return Host().GetRunTimeMs(); };
  script->host = &Host();
  SetActivePluginScript(script.get());
  g_script = std::move(script);
}

}  // namespace test

}  // namespace qel
