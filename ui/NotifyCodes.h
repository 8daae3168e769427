// Codes of the notify message that windows of different subsystems exchange,
// and the records some of them carry.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

enum QelNotifyCode : int {
  kNotifyUserAdded = 4,           // to the main view: the logged-in user joined the project's users
  kNotifyNewAssessment = 8,       // to the main view: a new variables row was written (record)
  kNotifyFilterTree = 13,         // sent by the testee search to its parent: filter the tree (CTesteeFilter; copy it)
  kNotifyAssessmentChanged = 18,  // to the main view: an existing assessment was written (record)
  kNotifySelectAssessment = 23,   // to the main view and the tree: select the assessment (record)
  kNotifyRefreshViews = 112,      // posted to the main frame with kRefreshAfterRun
  kNotifyRunStarted = 131,        // to the window that started a run
  kNotifyRunEnded = 132,
  kNotifyRebuildTree = 10,        // to the tree: rebuild from the root
  kNotifyFilterTestees = 13,      // to the tree and the pages: filter the testees (CTesteeFilter)
  kNotifyRebuildTreeIcons = 11,   // to the tree: rebuild with the other image list
  kNotifySelectTestee = 20,       // to the tree: select the testee (QelAssessmentNotice)
  kNotifySelectModel = 21,        // to the tree: select the model (QelAssessmentNotice)
  kNotifySelectModelTask = 22,    // to the tree: select the model's task (QelAssessmentNotice)
  kNotifyViewRefresh = 31,        // to the main view: refresh every control
  kNotifyLoginChanged = 32,       // to the frame and the main view: log in or out
  kNotifyPrint = 41,              // to the frame and the main view: print (QelPrintRequest)
  kNotifyPrintDirect = 42,
  kNotifyPrintPreview = 43,
  kNotifyLoadModel = 102,         // to the Models page: show the document's model
  kNotifyShowModelsPage = 103,    // to the main view: bring the Models page up
  kNotifyPathChosen = 410,        // to the main view: a project path was chosen in its combo
};

// The node the tree selects (codes 20 to 23); fields not named are null or
// 0. Lives on the sender's stack for the sent call.
// Payload of kNotifyRefreshViews after a stored run.
constexpr intptr_t kRefreshAfterRun = 32;

// The assessment a notification names; lives only for the sent call.
struct QelAssessmentNotice {
  std::string testeeCode;
  std::string modelName;
  std::string taskCode;
  uint32_t assessment = 0;
};

}  // namespace qel
