#include "common/Prompt.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace qel {

namespace {
PromptHandler& Handler() {
  static PromptHandler handler;
  return handler;
}
std::mutex& PosterMutex() {
  static std::mutex m;
  return m;
}
PromptPoster& Poster() {
  static PromptPoster poster;
  return poster;
}
}  // namespace

int DefaultPromptAnswer(unsigned style) {
  const unsigned buttons = style & 0xF;
  const bool second = (style & kPromptDefault2) != 0;
  const bool third = (style & kPromptDefault3) != 0;
  switch (buttons) {
    case kPromptOkCancel:
      return second ? kAnswerCancel : kAnswerOk;
    case kPromptYesNoCancel:
      if (third) return kAnswerCancel;
      return second ? kAnswerNo : kAnswerYes;
    case kPromptYesNo:
      return second ? kAnswerNo : kAnswerYes;
    default:
      return kAnswerOk;
  }
}

int ShowPrompt(const std::string& text, const std::string& caption, unsigned style) {
  if (Handler()) return Handler()(text, caption, style);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return DefaultPromptAnswer(style);
}

PromptHandler SetPromptHandler(PromptHandler handler) { return std::exchange(Handler(), std::move(handler)); }

void PostPrompt(const std::string& text, const std::string& caption, unsigned style) {
  PromptPoster poster;
  {
    std::lock_guard<std::mutex> lock(PosterMutex());
    poster = Poster();
  }
  if (poster) {
    poster(text, caption, style);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

PromptPoster SetPromptPoster(PromptPoster poster) {
  std::lock_guard<std::mutex> lock(PosterMutex());
  return std::exchange(Poster(), std::move(poster));
}

}  // namespace qel
