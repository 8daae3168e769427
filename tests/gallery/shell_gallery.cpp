// The program's shell: the main window as the program starts it (in a
// program folder of its own with the built plug-ins), the help viewer with
// the main view's help, and the About box.
#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/splitter.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelProgram.h"
#include "include/qel/Resources.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/DlgAbout.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/MainFrame.h"

namespace qel {

using namespace test;

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ShellWindows, MainWindow) {
  ResetSystemSettings();
  const fs::path folder = fs::temp_directory_path() / ("qel-shell-gallery-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
    const std::string name = entry.path().filename().string();
    if ((name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") || name == kDisplayLibraryName) {
      fs::create_symlink(entry.path(), folder / name);
    }
  }
  std::ofstream(folder / "Qel.qen") << "norms";
  {
    CQelProgram program(folder.string() + "/", (folder / "Qel.conf").string());
    ASSERT_TRUE(program.InitInstance({"Qel"}));
    CMainFrame* frame = program.GetMainFrame();
    frame->SetSize(1000, 720);
    frame->GetSplitter()->SetSashPosition(220);
    Pump(100);
    ExpectDrawn(Snap(frame, "main_window"), "main window");
    frame->Close(true);
    Pump(50);
    program.ExitInstance();
  }
  fs::remove_all(folder);
}

TEST(ShellWindows, HelpViewer) {
  auto* owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(0, 0), wxSize(1000, 720));
  const std::string text = ReadText(QEL_SOURCE_DIR "/app/resources/texts/246.rtf");
  auto* help = new CDlgHelp(text.c_str(), "Main view Help", owner, 100);
  ExpectDrawn(Snap(help, "help_viewer"), "help viewer");
  help->Destroy();
  owner->Destroy();
  Pump(30);
}

// The program's help and About texts, read from their source files into a
// resource table of this test program and made the current one.
class ProgramTexts {
 public:
  ProgramTexts() {
    for (const auto& entry : fs::directory_iterator(QEL_SOURCE_DIR "/app/resources/texts")) {
      m_texts.push_back(ReadText(entry.path().string()));
      m_ids.push_back(static_cast<uint32_t>(std::stoul(entry.path().stem().string())));
    }
    for (size_t i = 0; i < m_texts.size(); ++i) {
      m_entries.push_back({"TEXT", m_ids[i], reinterpret_cast<const unsigned char*>(m_texts[i].data()),
                           static_cast<uint32_t>(m_texts[i].size())});
    }
    m_table = {m_entries.data(), static_cast<uint32_t>(m_entries.size())};
  }
  QelResModule Module() const { return &m_table; }

 private:
  std::vector<std::string> m_texts;
  std::vector<uint32_t> m_ids;
  std::vector<QelResource> m_entries;
  QelResourceTable m_table{};
};

TEST(ShellWindows, AboutBox) {
  ResetSystemSettings();
  ProgramTexts texts;
  QelScopedResourceModule current(texts.Module());
  auto* about = new CDlgAbout(nullptr);
  about->GetTabs()->SetSelection(6);
  ExpectDrawn(Snap(about, "about_box"), "About box");
  about->Destroy();
  Pump(30);
}

}  // namespace

}  // namespace qel
