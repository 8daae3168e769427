// The program's image list of 16x16 icons that lists and trees show. The
// main window makes it and registers it here; until then lists show no
// icons (their rows keep their image numbers).
#pragma once

class wxImageList;

namespace qel {

void SetAppSmallImageList(wxImageList* list);  // not owned
wxImageList* GetAppSmallImageList();

}  // namespace qel
