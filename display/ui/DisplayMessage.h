// Message boxes and beeps of the display library. Both go through one
// replaceable function each, so the program can route them (for example to
// its prompt service or its sound output) and tests can answer them.
#pragma once

#include <functional>
#include <string>

#include "display/ui/ScreenExport.h"

class wxWindow;

namespace qel {

namespace display {

// Styles and answers, with the values of the message box flags they stand for.
enum MessageStyle : unsigned {
  kMsgOk = 0x0,
  kMsgYesNo = 0x4,
  kMsgIconStop = 0x10,
  kMsgIconQuestion = 0x20,
  kMsgDefault2 = 0x100,  // the second button is the default
};
enum MessageAnswer : int { kMsgAnswerOk = 1, kMsgAnswerYes = 6, kMsgAnswerNo = 7 };

using MessageHandler = std::function<int(const std::string& text, const std::string& caption, unsigned style)>;
using BeepHandler = std::function<void()>;

// Installs a handler and returns the previous one; an empty handler brings
// back the default (a wx message box). The handler runs on the
// user-interface thread only: a message from another thread is handed to
// that thread and answered at once with the default button.
QEL_SCREEN_API MessageHandler SetMessageHandler(MessageHandler handler);

// Installs the beep; the default is the system bell.
QEL_SCREEN_API BeepHandler SetBeepHandler(BeepHandler handler);

// Shows a message over `parent` (may be null) and returns the answer.
int ShowMessage(const std::string& text, const std::string& caption, unsigned style, wxWindow* parent = nullptr);

// The default system beep.
void Beep();

}  // namespace display

}  // namespace qel
