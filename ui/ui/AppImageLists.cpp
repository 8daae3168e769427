#include "ui/ui/AppImageLists.h"

namespace qel {

namespace {
wxImageList* g_smallImages = nullptr;
}  // namespace

void SetAppSmallImageList(wxImageList* list) { g_smallImages = list; }
wxImageList* GetAppSmallImageList() { return g_smallImages; }

}  // namespace qel
