// The rules of the program's drop-down lists that need no window: how two
// entries compare, where a recently used text goes, and which item a refill
// selects.
#pragma once

#include <string>
#include <vector>

namespace qel {

// True when both texts are given and equal; compared on upper-cased copies
// when case is ignored.
bool EqualStrings(const char* a, const char* b, bool ignoreCase);

// What AddToTop does with a text, given the keys (over the control's item
// count) and the selected item (-1 for none).
struct CAddToTopPlan {
  enum Action {
    kRefuse,        // a null or empty text: nothing changes, false
    kKeep,          // already the selected item: nothing changes, true
    kSelectTop,     // the entry is item 0: select it
    kMoveToTop,     // the entry at `found` is removed, then the text inserted on top and selected
    kInsertTop,     // not present: inserted on top and selected
  };
  Action action = kRefuse;
  int found = -1;
};
CAddToTopPlan PlanAddToTop(const std::vector<std::string>& keys, int itemCount, int selected, const char* text,
                           bool ignoreCase);

// The item a refill selects: the first key equal to kept, item 0 when none
// is; -1 without keys.
int ChooseKeptItem(const std::vector<std::string>& keys, const std::string& kept);

}  // namespace qel
