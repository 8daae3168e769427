// The parameter page of every task plug-in of the program folder that has
// one, editable, inside a frame as the task-parameter dialog holds it.
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <filesystem>
#include <set>
#include <string>

#include "tasks/tests/support/LoadedPage.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

// The short codes of the program's plug-ins (QelXX.qet -> "XX").
std::set<std::string> ProgramPlugins() {
  std::set<std::string> codes;
  for (const auto& entry : std::filesystem::directory_iterator(QEL_OUTPUT_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") codes.insert(name.substr(3, name.size() - 7));
  }
  return codes;
}

TEST(TaskPages, EveryPageOfTheBattery) {
  const std::set<std::string> codes = ProgramPlugins();
  EXPECT_GE(codes.size(), 24u);
  int pages = 0;
  for (const std::string& code : codes) {
    SCOPED_TRACE(code);
    LoadedPage loaded(code);
    ASSERT_NE(loaded.m_record.module, nullptr) << "the plug-in does not load";
    if (!loaded.m_record.page) continue;  // a plug-in without a page of its own
    wxWindow* page = loaded.Create(true);
    ASSERT_NE(page, nullptr);
    loaded.m_frame->SetClientSize(page->GetBestSize());
    loaded.m_frame->Move(0, 0);
    ExpectDrawn(Snap(page, "task_page_" + code), code);
    ++pages;
    Pump(20);
  }
  EXPECT_GT(pages, 0);
}

}  // namespace

}  // namespace qel
