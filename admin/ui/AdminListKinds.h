// The kinds of the project data lists the administration dialogs show: a
// list's notify codes are its event's base code plus its kind (testees 3,
// testee codes 4, models 5), so the owner tells its lists apart.
#pragma once

#include "ui/ui/ListCtrlQel.h"

namespace qel {

enum AdminListKind : int { kListKindTestees = 3, kListKindTesteeCodes = 4, kListKindModels = 5 };

// Once, on a list just made (its codes still the base codes).
inline void SetListKind(CListCtrlQel& list, AdminListKind kind) {
  for (int i = 0; i < CListCtrlQel::kEventCount; ++i) list.m_nEventCodes[i] += kind;
}

}  // namespace qel
