#include "ui/ui/MainPages.h"

#include "ui/ui/DlgTabTestee.h"

namespace qel {

CDlgTab* MakeMainPage(int page) {
  switch (page) {
    case kPageTestees:
      return new CDlgTabTestee;
    default:
      return nullptr;
  }
}

}  // namespace qel
