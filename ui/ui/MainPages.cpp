#include "ui/ui/MainPages.h"

#include "ui/ui/DlgTabTestee.h"
#include "ui/ui/DlgTabAssessment.h"

namespace qel {

CDlgTab* MakeMainPage(int page) {
  switch (page) {
    case kPageTestees:
      return new CDlgTabTestee;
    case kPageAssessments:
      return new CDlgTabAssessment;
    default:
      return nullptr;
  }
}

}  // namespace qel
