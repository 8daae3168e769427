#include "editors/TaskTextHelpers.h"

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/ModelTask.h"

namespace qel {

namespace {

constexpr const char* kPlainRtfHeader = "{\\rtf1";
constexpr const char* kProgramRtfHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard\\fi-1988\\li1988\\tx2160\\f0\\fs24 ";

constexpr uint32_t kLeftBit = 1;
constexpr uint32_t kRightBit = 2;
constexpr uint32_t kVoiceBit = 4;
constexpr int kHandExchanged = 1;

enum Language : int { kLanguageDutch = 2, kLanguageItalian = 3 };

// One text in the three languages.
struct LanguageIds {
  uint32_t english, dutch, italian;
  uint32_t For(int language) const {
    if (language == kLanguageDutch) return dutch;
    if (language == kLanguageItalian) return italian;
    return english;
  }
};

constexpr LanguageIds kKeysVoice{192, 308, 325};
constexpr LanguageIds kKeysMouse{191, 304, 321};
constexpr LanguageIds kKeysSingle{194, 305, 322};
constexpr LanguageIds kKeysExchangeable{193, 306, 323};
constexpr LanguageIds kKeysFixed{255, 4, 324};
constexpr LanguageIds kFeedbackNoneText{206, 310, 318};
constexpr LanguageIds kFeedbackAudioText{207, 309, 317};
constexpr LanguageIds kFeedbackVisualText{205, 313, 320};
constexpr LanguageIds kFeedbackImpossible{209, 311, 319};

constexpr uint32_t kFeedbackAllowedMask = 0x30000;

}  // namespace

std::string BuildRtfText(const std::string& text, bool programHeader) {
  return std::string(programHeader ? kProgramRtfHeader : kPlainRtfHeader) + text + "}";
}

void MakeRtfText(std::string& text, bool programHeader) { text = BuildRtfText(text, programHeader); }

std::string ResponseCodeToText(uint32_t code, int hand, bool asLetters) {
  if (!asLetters) return std::to_string(code);
  const uint32_t first = hand == kHandExchanged ? kRightBit : kLeftBit;
  const uint32_t second = hand == kHandExchanged ? kLeftBit : kRightBit;
  std::string text;
  if (code & first) text += "L";
  if (code & second) text += "R";
  if (code & kVoiceBit) text += "V";
  return text;
}

uint32_t KeysMappingTextId(uint32_t taskType, uint32_t taskFlags, int language) {
  if (taskFlags & kTaskFlagVoiceKey) return kKeysVoice.For(language);
  switch (ResponseTypeOf(taskType)) {
    case kResponseMouse:
      return kKeysMouse.For(language);
    case kResponseSingle:
      return kKeysSingle.For(language);
    case kResponseTwoChoice:
      return (taskFlags & kTaskFlagSwapKeys) ? kKeysExchangeable.For(language) : kKeysFixed.For(language);
    default:
      return 0;
  }
}

uint32_t FeedbackTextId(uint32_t taskFlags, uint32_t taskFbk, int language) {
  if (!(taskFlags & kFeedbackAllowedMask)) return kFeedbackImpossible.For(language);
  switch (FeedbackTypeOf(taskFbk)) {
    case kFeedbackNone:
      return kFeedbackNoneText.For(language);
    case kFeedbackAudio:
      return kFeedbackAudioText.For(language);
    case kFeedbackVisual:
      return kFeedbackVisualText.For(language);
    default:
      return 0;
  }
}

std::string GetKeysMappingText(const IExpModelTask* task, int language, const TextLoader& load) {
  if (!task || !load) return kEmptyRtf;
  const uint32_t id = KeysMappingTextId(task->w.TaskType, task->w.TaskFlags, language);
  if (id == 0) return kEmptyRtf;
  std::string text = load(id);
  // The voice-key text is plain text of the program; the others are RTF documents.
  if (task->w.TaskFlags & kTaskFlagVoiceKey) MakeRtfText(text, false);
  return text.empty() ? kEmptyRtf : text;
}

std::string GetFeedbackText(const IExpModelTask* task, int language, const TextLoader& load) {
  if (!task || !load) return kEmptyRtf;
  const uint32_t id = FeedbackTextId(task->w.TaskFlags, task->w.TaskFbk, language);
  if (id == 0) return kEmptyRtf;
  std::string text = load(id);
  return text.empty() ? kEmptyRtf : text;
}

}  // namespace qel
