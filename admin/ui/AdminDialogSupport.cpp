#include "admin/ui/AdminDialogSupport.h"

#include <wx/filedlg.h>

#include "common/Prompt.h"
#include "common/ui/WxText.h"
#include "ui/ui/ChooserFit.h"

namespace qel {

void SetToolTips(wxWindow* parent, const CControlTip* tips, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (wxWindow* control = parent->FindWindow(tips[i].id)) control->SetToolTip(tips[i].text);
}

std::string ChooseCommentFile(wxWindow* parent, bool save, const std::string& defaultName) {
  const long style = save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  wxFileDialog dialog(parent, save ? "Put comment into file" : "Get comment from file", wxEmptyString,
                      ToWx(defaultName + ".txt"), "Text files (*.txt)|*.txt", style);
  KeepOnScreen(dialog);
  if (dialog.ShowModal() != wxID_OK) return std::string();
  return dialog.GetPath().utf8_string();
}

void FinishDialog(wxDialog* dialog, int code) {
  if (dialog->IsModal()) {
    dialog->EndModal(code);
  } else {
    dialog->SetReturnCode(code);
    dialog->Hide();
  }
}

void ShowStopMessage(const std::string& text) { ShowPrompt(text, "Qel", kPromptOk | kPromptIconStop); }

}  // namespace qel
