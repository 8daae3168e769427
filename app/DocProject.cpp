#include "app/DocProject.h"

namespace qel {

namespace {
DocProjectFactory& Factory() {
  static DocProjectFactory factory;
  return factory;
}
ProjectDialogRunner& Runner() {
  static ProjectDialogRunner runner;
  return runner;
}
}  // namespace

void SetProjectDialogRunner(ProjectDialogRunner runner) { Runner() = std::move(runner); }

namespace {
ProjectUserLogin& UserLogin() {
  static ProjectUserLogin login;
  return login;
}
}  // namespace

void SetProjectUserLogin(ProjectUserLogin login) { UserLogin() = std::move(login); }

bool RunProjectUserLogin(IDocProject* project, CUserRecord* user, bool* addToWorkstation) {
  if (addToWorkstation) *addToWorkstation = false;
  return project && user && UserLogin() && UserLogin()(project, user, addToWorkstation);
}

bool RunProjectDialog(IDocProject* project, int mode) { return project && Runner() && Runner()(project, mode); }

void SetDocProjectFactory(DocProjectFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<IDocProject> MakeDocProject() { return Factory() ? Factory()() : nullptr; }

namespace {
std::unique_ptr<IDocProject>& ProgramProject() {
  static std::unique_ptr<IDocProject> project;
  return project;
}
}  // namespace

IDocProject* GetProgramProject() {
  if (!ProgramProject()) ProgramProject() = MakeDocProject();
  return ProgramProject().get();
}

void ResetProgramProject() { ProgramProject().reset(); }

}  // namespace qel
