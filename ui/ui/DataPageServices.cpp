#include "ui/ui/DataPageServices.h"

namespace qel {

namespace {
IDataPageServices* g_dataPageServices = nullptr;
}  // namespace

void SetDataPageServices(IDataPageServices* services) { g_dataPageServices = services; }

IDataPageServices* GetDataPageServices() { return g_dataPageServices; }

}  // namespace qel
