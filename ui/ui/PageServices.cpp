#include "ui/ui/PageServices.h"

namespace qel {

namespace {
IPageServices* g_pageServices = nullptr;
}  // namespace

void SetPageServices(IPageServices* services) { g_pageServices = services; }

IPageServices* GetPageServices() { return g_pageServices; }

}  // namespace qel
