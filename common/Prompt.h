// Messages to the operator from code that has no window of its own. The
// user interface installs a handler that shows a message box; tests
// install one that records and answers. Without a handler the text goes to
// the standard error stream and the default answer is given.
#pragma once

#include <functional>
#include <string>

namespace qel {

// Buttons, icons and default button, as the message box styles they stand for.
enum PromptStyle : unsigned {
  kPromptOk = 0x0,
  kPromptOkCancel = 0x1,
  kPromptYesNoCancel = 0x3,
  kPromptYesNo = 0x4,
  kPromptIconStop = 0x10,
  kPromptIconQuestion = 0x20,
  kPromptIconWarning = 0x30,
  kPromptIconInfo = 0x40,
  kPromptDefault2 = 0x100,  // the second button is the default
  kPromptDefault3 = 0x200,  // the third button is the default
};

// Answers.
enum PromptAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

using PromptHandler = std::function<int(const std::string& text, const std::string& caption, unsigned style)>;

// Shows a message and returns the answer. Must be called on the
// user-interface thread; timer and device threads post a notification instead.
int ShowPrompt(const std::string& text, const std::string& caption = "Qel", unsigned style = kPromptOk);

// Installs a handler; returns the previous one. An empty handler restores the default.
PromptHandler SetPromptHandler(PromptHandler handler);

// From any thread (timer, device and worker threads): hands the message to
// the user-interface thread, which shows it later; never blocks or waits for
// an answer. The user interface installs the poster (wx: CallAfter with
// ShowPrompt); without one the message goes to the standard error stream.
void PostPrompt(const std::string& text, const std::string& caption = "Qel", unsigned style = kPromptOk);

using PromptPoster = std::function<void(const std::string& text, const std::string& caption, unsigned style)>;
PromptPoster SetPromptPoster(PromptPoster poster);

// The answer given without a handler: the default button of the style.
int DefaultPromptAnswer(unsigned style);

}  // namespace qel
