#include "ui/ComboKeys.h"

#include <algorithm>
#include <cctype>

namespace qel {

namespace {

std::string Upper(const char* text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

}  // namespace

bool EqualStrings(const char* a, const char* b, bool ignoreCase) {
  if (!a || !b) return false;
  return ignoreCase ? Upper(a) == Upper(b) : std::string(a) == b;
}

CAddToTopPlan PlanAddToTop(const std::vector<std::string>& keys, int itemCount, int selected, const char* text,
                           bool ignoreCase) {
  CAddToTopPlan plan;
  if (!text || !*text) return plan;
  const int searched = std::min(itemCount, static_cast<int>(keys.size()));
  for (int i = 0; i < searched; ++i) {
    if (EqualStrings(keys[static_cast<size_t>(i)].c_str(), text, ignoreCase)) {
      plan.found = i;
      break;
    }
  }
  if (plan.found >= 0 && plan.found == selected)
    plan.action = CAddToTopPlan::kKeep;
  else if (plan.found == 0)
    plan.action = CAddToTopPlan::kSelectTop;
  else if (plan.found > 0)
    plan.action = CAddToTopPlan::kMoveToTop;
  else
    plan.action = CAddToTopPlan::kInsertTop;
  return plan;
}

int ChooseKeptItem(const std::vector<std::string>& keys, const std::string& kept) {
  if (keys.empty()) return -1;
  const auto it = std::find(keys.begin(), keys.end(), kept);
  return it == keys.end() ? 0 : static_cast<int>(it - keys.begin());
}

}  // namespace qel
