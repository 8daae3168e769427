// QelUninstall: sets the access rights of files of the program folder, or
// removes the installed product through the package manager
// (tools/uninstall/UninstallCommand.h). Every refusal is told on the
// standard error stream; the exit status tells failure from success.
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/ProgramFolder.h"
#include "tools/uninstall/UninstallCommand.h"
#include "tools/uninstall/ui/RemovalDialog.h"

using namespace qel;
using namespace qel::uninstall;

namespace {

void Tell(const std::string& text) { std::fprintf(stderr, "QelUninstall: %s\n", text.c_str()); }

int ExitOfRemoval(int status) {
  if (status < 0) return kExitNotStarted;
  return status == 0 ? kExitDone : kExitRemovalFailed;
}

// The operator confirms in the removal window first.
int RemoveWithWindow(int argc, char** argv, const std::string& package) {
  wxApp::SetInstance(new wxApp());
  if (!wxEntryStart(argc, argv)) {
    Tell("no display for the removal window; use /quiet to remove without it");
    return kExitNotStarted;
  }
  int result = CRemovalDialog::kNotRun;
  {
    CRemovalDialog dialog(nullptr, kProductName, package, [&package](std::string* output) {
      return RunCommand(BuildRemovalCommand(package, false), output);
    });
    dialog.ShowModal();
    result = dialog.GetResult();
  }
  wxEntryCleanup();
  return result == CRemovalDialog::kNotRun ? kExitCancelled : ExitOfRemoval(result);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string commandLine = JoinArguments(argc, argv);
  if (IsPermissionForm(commandLine)) {
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
      Tell("the program folder cannot be read");
      return kExitRefused;
    }
    std::vector<std::string> refusals;
    const int status = RunPermissionForm(folder, commandLine, &refusals);
    for (const std::string& reason : refusals) Tell(reason);
    return status;
  }
  const std::string code = FindProductCode(commandLine);
  const std::string package = PackageOfProductCode(code);
  if (package.empty()) {
    Tell(code.empty() ? "no product code {...} of 38 characters in the command line"
                      : code + " is not the product code of " + kProductName);
    return kExitNoProduct;
  }
  if (!IsQuietRemoval(commandLine)) return RemoveWithWindow(argc, argv, package);
  std::string output;
  const int status = RunCommand(BuildRemovalCommand(package, true), &output);
  std::fputs(output.c_str(), stdout);
  if (status < 0) Tell(std::string("the package manager \"") + kPackageManager + "\" could not be started");
  else if (status != 0) Tell("the package manager ended with status " + std::to_string(status));
  return ExitOfRemoval(status);
}
