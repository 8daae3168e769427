// The score dialog's help: one text made of the program's help texts on the
// parts of the dialog now on offer, in the Language setting's language.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qel {

// Which parts of the score dialog are on offer (shown) and the state the
// texts depend on.
struct ScoreHelpParts {
  bool basicShown = false;   // "B-Score"
  bool zShown = false;       // "Z-Score"
  bool zNormShown = false;   // "Z-Norm"
  bool zNormEnabled = false;
  int view = 0;              // 0 B, 1 Z, 2 Z-Norm, 3 D, 4 C
  bool longListShown = false;
  bool groupListShown = false;
  bool fullListShown = false;
  bool markShown = false;    // "Mark Z-vars"
  bool ageRangeShown = false;
  bool exportShown = false;  // "Export", "Print"
};

// The ids of the program's TEXT resources that explain them, in the order
// the help shows them (language: 2 Dutch, 3 Italian, else English).
std::vector<uint32_t> ScoreHelpTextIds(const ScoreHelpParts& parts, int language);

// The texts joined into one RTF document.
std::string BuildScoreHelp(const std::vector<uint32_t>& ids, const std::function<std::string(uint32_t)>& load);

}  // namespace qel
