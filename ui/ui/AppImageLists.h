// The program's image lists of node and list icons (16x16 and 32x32, the
// same 119 icons in the same order), which lists, combo boxes and the
// project tree address by position. The program makes them at start-up
// and registers them here; until then lists show no icons (their rows keep
// their image numbers).
//
// The icons are drawn by the program itself: a rounded tile in a colour of
// its position, with the position's mark (a task's icon carries its kind's
// number), so that neighbouring kinds differ at a glance.
#pragma once

#include <wx/icon.h>

class wxImageList;
class wxItemContainer;

namespace qel {

constexpr int kNodeIconCount = 119;
constexpr int kSmallIconSize = 16;
constexpr int kLargeIconSize = 32;

void SetAppSmallImageList(wxImageList* list);  // not owned
wxImageList* GetAppSmallImageList();
void SetAppLargeImageList(wxImageList* list);  // not owned
wxImageList* GetAppLargeImageList();

// A new list of the 119 icons at that size (the caller owns it).
wxImageList* CreateNodeImageList(int size);
// The icon of position i (0-118) at that size; an empty icon outside.
wxIcon DrawNodeIcon(int i, int size);
// The kind icon of a task: the icon at GetImageIndex(taskId), 32 pixels.
wxIcon LoadKindIcon(int taskId);
// Fills a combo box or list with the interface languages in identifier
// order ("Default", "English", "Dutch", "Italian"); returns their count.
int FillLanguageCombo(wxItemContainer* combo);

}  // namespace qel
