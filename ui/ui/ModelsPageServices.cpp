#include "ui/ui/ModelsPageServices.h"

#include "ui/ui/ProjectsPageServices.h"

namespace qel {

namespace {
IModelsPageServices* g_modelsServices = nullptr;
IProjectsPageServices* g_projectsServices = nullptr;
}  // namespace

void SetModelsPageServices(IModelsPageServices* services) { g_modelsServices = services; }
IModelsPageServices* GetModelsPageServices() { return g_modelsServices; }
void SetProjectsPageServices(IProjectsPageServices* services) { g_projectsServices = services; }
IProjectsPageServices* GetProjectsPageServices() { return g_projectsServices; }

}  // namespace qel
