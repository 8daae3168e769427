// The program Qel: the application object runs the program's start-up at
// its initialisation and its shut-down at its exit.
#include <wx/app.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ui/ProgramWiring.h"
#include "app/ui/PromptBox.h"
#include "app/ui/QelProgram.h"

namespace qel {

class CQelApp : public wxApp {
 public:
  bool OnInit() override {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(argv[i].utf8_string());
    InstallPromptBoxes();
    SetAppName("Qel");
    SetAppDisplayName("Qel Task Battery");
    m_wiring.Install();
    m_program = std::make_unique<CQelProgram>();
    if (!m_program->InitInstance(args)) return false;
    CallAfter([] { CProgramWiring::EnumDevices(); });
    return true;
  }
  int OnExit() override {
    if (m_program) m_program->ExitInstance();
    m_wiring.Uninstall();
    return wxApp::OnExit();
  }

 private:
  CProgramWiring m_wiring;
  std::unique_ptr<CQelProgram> m_program;
};

}  // namespace qel

wxIMPLEMENT_APP(qel::CQelApp);
