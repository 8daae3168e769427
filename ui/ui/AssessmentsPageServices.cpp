#include "ui/ui/AssessmentsPageServices.h"

namespace qel {

namespace {
IAssessmentsPageServices* g_assessmentsServices = nullptr;
}  // namespace

void SetAssessmentsPageServices(IAssessmentsPageServices* services) { g_assessmentsServices = services; }

IAssessmentsPageServices* GetAssessmentsPageServices() { return g_assessmentsServices; }

}  // namespace qel
