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
};

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
