// Rules of the Import page that need no window: which of its lists and
// buttons are enabled and its group captions, from the source project's
// state and what its lists hold.
#pragma once

#include <string>

namespace qel {

struct ImportPageState {
  bool running = false;    // a run is in progress
  bool hasSource = false;  // the source project has a path
  int testeeCount = 0;     // rows of the three lists
  int modelCount = 0;
  int scoreCount = 0;
  int checkedTestees = 0;  // checked rows of the three lists
  int checkedModels = 0;
  int checkedScores = 0;
};

struct ImportPageControls {
  bool testeeList = false;  // also "Select all", "Select group", "Select found", "Unselect all"
  bool modelList = false;
  bool scoreList = false;
  bool importTestees = false, importModels = false, importScores = false;
  std::string testeeCaption, modelCaption, scoreCaption;
};

ImportPageControls ImportPageRules(const ImportPageState& state);

}  // namespace qel
