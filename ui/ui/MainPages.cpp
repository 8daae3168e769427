#include "ui/ui/MainPages.h"

#include "ui/ui/DlgTabAssessment.h"
#include "ui/ui/DlgTabData.h"
#include "ui/ui/DlgTabExport.h"
#include "ui/ui/DlgTabImport.h"
#include "ui/ui/DlgTabModel.h"
#include "ui/ui/DlgTabProject.h"
#include "ui/ui/DlgTabTestee.h"

namespace qel {

CDlgTab* MakeMainPage(int page) {
  switch (page) {
    case kPageTestees:
      return new CDlgTabTestee;
    case kPageData:
      return new CDlgTabData;
    case kPageExport:
      return new CDlgTabExport;
    case kPageImport:
      return new CDlgTabImport;
    case kPageAssessments:
      return new CDlgTabAssessment;
    case kPageModels:
      return new CDlgTabModel;
    case kPageProjects:
      return new CDlgTabProject;
    default:
      return nullptr;
  }
}

}  // namespace qel
