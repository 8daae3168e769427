// Positions of the icons that lists and the project tree show in the
// program's icon list (task icons come from GetImageIndex of the task number).
#pragma once

namespace qel {

enum IconIndex : int {
  kIconProject = 4,
  kIconTesteeCodesGroup = 5,
  kIconTesteeCode = 6,
  kIconTesteesGroup = 7,
  kIconTestee = 8,
  kIconModelsGroup = 9,
  kIconModel = 10,
  kIconScoresGroup = 11,
  kIconScore = 12,
  kIconNoTask = 65,
  kIconUser = 105,
  kIconUsersGroup = 106,
  kIconUserMissing = 107,  // a user the other users list lacks
  kIconUserDiffers = 108,  // a user found, or one that differs from its namesake
  kIconAssessment = 109,
  kIconTesteeOutdated = 111,
  kIconTesteeChanged = 112,
  kIconTesteeHistory = 113,
  kIconScoreOutdated = 114,
  kIconScoreChanged = 115,
  kIconScoreHistory = 116,
};

}  // namespace qel
