#include "app/ui/PromptBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "common/Prompt.h"

namespace qel {

namespace {
constexpr unsigned kButtonsMask = 0xF;
constexpr unsigned kIconMask = 0xF0;
}  // namespace

long PromptBoxStyle(unsigned promptStyle) {
  long style = 0;
  switch (promptStyle & kButtonsMask) {
    case kPromptOkCancel:
      style = wxOK | wxCANCEL;
      break;
    case kPromptYesNoCancel:
      style = wxYES_NO | wxCANCEL;
      break;
    case kPromptYesNo:
      style = wxYES_NO;
      break;
    default:
      style = wxOK;
      break;
  }
  switch (promptStyle & kIconMask) {
    case kPromptIconStop:
      style |= wxICON_ERROR;
      break;
    case kPromptIconQuestion:
      style |= wxICON_QUESTION;
      break;
    case kPromptIconWarning:
      style |= wxICON_WARNING;
      break;
    case kPromptIconInfo:
      style |= wxICON_INFORMATION;
      break;
    default:
      break;
  }
  if (promptStyle & kPromptDefault2) style |= (style & wxYES_NO) ? wxNO_DEFAULT : wxCANCEL_DEFAULT;
  // The third button is Cancel wherever there is one.
  if ((promptStyle & kPromptDefault3) && (style & wxCANCEL)) style |= wxCANCEL_DEFAULT;
  return style;
}

int PromptAnswerOf(int boxResult) {
  switch (boxResult) {
    case wxID_YES:
      return kAnswerYes;
    case wxID_NO:
      return kAnswerNo;
    case wxID_CANCEL:
      return kAnswerCancel;
    default:
      return kAnswerOk;
  }
}

void InstallPromptBoxes() {
  SetPromptHandler([](const std::string& text, const std::string& caption, unsigned style) {
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxMessageDialog box(parent, wxString::FromUTF8(text), wxString::FromUTF8(caption), PromptBoxStyle(style));
    return PromptAnswerOf(box.ShowModal());
  });
  SetPromptPoster([](const std::string& text, const std::string& caption, unsigned style) {
    if (wxTheApp) wxTheApp->CallAfter([text, caption, style] { ShowPrompt(text, caption, style); });
  });
}

}  // namespace qel
