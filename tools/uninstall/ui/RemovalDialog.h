// The removal window of QelUninstall: asks the operator to confirm the
// removal of the product, runs it (through the runner it is given) and
// shows how it ended with the package manager's output. It holds no rule of
// its own; the removal command is the tool's (tools/uninstall/UninstallCommand.h).
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

class wxButton;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CRemovalDialog : public wxDialog {
 public:
  // Runs the removal: the package manager's exit status (-1 when it could
  // not be started) and its output.
  using Runner = std::function<int(std::string* output)>;
  // What the window shows before the removal ran.
  static constexpr int kNotRun = -2;

  CRemovalDialog(wxWindow* parent, const std::string& productName, const std::string& package, Runner runner);

  // The runner's result, kNotRun when the removal was not confirmed.
  int GetResult() const { return m_result; }
  // Confirms, as the Remove button does.
  void Remove();

 private:
  void ShowResult(const std::string& output);

  std::string m_productName;
  std::string m_package;
  Runner m_runner;
  int m_result = kNotRun;
  wxStaticText* m_message = nullptr;
  wxTextCtrl* m_output = nullptr;
  wxButton* m_remove = nullptr;
  wxButton* m_cancel = nullptr;
};

}  // namespace qel
