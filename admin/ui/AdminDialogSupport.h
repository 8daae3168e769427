// Small pieces the administration dialogs share: tool tips from a table of
// texts by control id, the file chooser of the comment-file buttons (tests
// install their own answer), and ending a dialog whether it runs modally or not.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

namespace qel {

struct CControlTip {
  int id;
  const char* text;
};

// Sets each control's tip (controls that do not exist are skipped).
void SetToolTips(wxWindow* parent, const CControlTip* tips, size_t count);

// Asks for a comment file: save false to read one (it must exist), true to
// write one (with an overwrite prompt). Text files, default extension
// ".txt", the default name offered. Empty when the operator cancels.
using CommentFileChooser = std::function<std::string(wxWindow* parent, bool save, const std::string& defaultName)>;
std::string ChooseCommentFile(wxWindow* parent, bool save, const std::string& defaultName);

// EndModal for a modal dialog; otherwise the code is kept and the dialog hidden.
void FinishDialog(wxDialog* dialog, int code);

// The stop-icon box of a dialog's validation messages.
void ShowStopMessage(const std::string& text);

}  // namespace qel
