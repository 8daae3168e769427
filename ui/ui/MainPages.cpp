#include "ui/ui/MainPages.h"

#include "ui/ui/DlgTabModel.h"
#include "ui/ui/DlgTabProject.h"
#include "ui/ui/DlgTabTestee.h"

namespace qel {

CDlgTab* MakeMainPage(int page) {
  switch (page) {
    case kPageTestees:
      return new CDlgTabTestee;
    case kPageModels:
      return new CDlgTabModel;
    case kPageProjects:
      return new CDlgTabProject;
    default:
      return nullptr;
  }
}

}  // namespace qel
