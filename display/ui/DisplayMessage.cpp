#include "display/ui/DisplayMessage.h"

#include "common/ui/WxText.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/thread.h>
#include <wx/utils.h>

#include <cstdio>
#include <mutex>

namespace qel {

namespace display {

namespace {

std::mutex g_mutex;
MessageHandler g_messageHandler;
BeepHandler g_beepHandler;

long WxStyle(unsigned style) {
  long s = (style & 0xF) == kMsgYesNo ? wxYES_NO : wxOK;
  if ((style & 0xF) == kMsgYesNo && (style & kMsgDefault2)) s |= wxNO_DEFAULT;
  switch (style & 0xF0) {
    case kMsgIconStop:
      s |= wxICON_ERROR;
      break;
    case kMsgIconQuestion:
      s |= wxICON_QUESTION;
      break;
    default:
      break;
  }
  return s;
}

}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
  std::lock_guard<std::mutex> lock(g_mutex);
  MessageHandler previous = std::move(g_messageHandler);
  g_messageHandler = std::move(handler);
  return previous;
}

BeepHandler SetBeepHandler(BeepHandler handler) {
  std::lock_guard<std::mutex> lock(g_mutex);
  BeepHandler previous = std::move(g_beepHandler);
  g_beepHandler = std::move(handler);
  return previous;
}

int ShowMessage(const std::string& text, const std::string& caption, unsigned style, wxWindow* parent) {
  MessageHandler handler;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    handler = g_messageHandler;
  }
  const bool yesNo = (style & 0xF) == kMsgYesNo;
  if (!wxIsMainThread()) {
    // Never a message box on another thread: the user-interface thread shows
    // it later, and the default button answers now.
    if (wxTheApp) {
      wxTheApp->CallAfter([text, caption, style] { ShowMessage(text, caption, style, nullptr); });
    } else {
      std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    return yesNo ? ((style & kMsgDefault2) ? kMsgAnswerNo : kMsgAnswerYes) : kMsgAnswerOk;
  }
  if (handler) return handler(text, caption, style);
  const int answer = wxMessageBox(ToWx(text), ToWx(caption), WxStyle(style), parent);
  if (answer == wxYES) return kMsgAnswerYes;
  if (answer == wxNO) return kMsgAnswerNo;
  return kMsgAnswerOk;
}

void Beep() {
  BeepHandler handler;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    handler = g_beepHandler;
  }
  if (handler) {
    handler();
  } else {
    wxBell();
  }
}

}  // namespace display

}  // namespace qel
