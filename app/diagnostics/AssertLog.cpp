#include "app/diagnostics/AssertLog.h"

#include <wx/debug.h>
#include <wx/string.h>

#include <cstdio>
#include <mutex>

namespace qel {

namespace {

std::mutex g_sinkLock;
AssertSink g_sink;

void ReportAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
  std::string text = "Qel: assertion \"" + std::string(cond.utf8_str()) + "\" failed in " +
                     std::string(func.utf8_str()) + " (" + std::string(file.utf8_str()) + ":" + std::to_string(line) +
                     ")";
  if (!msg.empty()) text += ": " + std::string(msg.utf8_str());
  std::lock_guard<std::mutex> lock(g_sinkLock);
  if (g_sink) {
    g_sink(text);
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

}  // namespace

void InstallAssertLog() { wxSetAssertHandler(ReportAssert); }

void SetAssertSink(AssertSink sink) {
  std::lock_guard<std::mutex> lock(g_sinkLock);
  g_sink = std::move(sink);
}

}  // namespace qel
