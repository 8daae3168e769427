// Task settings in words for the operator: the description of a task's
// response keys and of its feedback (RTF texts of the program chosen by the
// Language setting), the letters or number of a response code, and the RTF
// wrapping of a text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qel {

class IExpModelTask;

// Loads one of the program's TEXT resources by id ("" when missing).
using TextLoader = std::function<std::string(uint32_t id)>;

// The program's TEXT resources the editors show.
enum EditorTextId : uint32_t {
  kTextTaskNotAvailable = 210,  // the task's plug-in is missing or of a wrong version
};

// The empty RTF document.
constexpr const char* kEmptyRtf = "{\\rtf1}";

// An RTF document of the text: the plain header "{\rtf1" or, with
// programHeader, the program's header (Arial 12 point, colour 1 red, a
// hanging indent), then the text and "}".
std::string BuildRtfText(const std::string& text, bool programHeader);
// The same in place.
void MakeRtfText(std::string& text, bool programHeader);

// Not as letters: "%u" of the code. As letters: "L" when the code has the
// left button's bit, "R" for the right one (bits 1 and 2, exchanged for
// hand setting 1), "V" for the voice key (bit 4).
std::string ResponseCodeToText(uint32_t code, int hand, bool asLetters);

// The TEXT resource id of the keys description for the task's words and the
// language (2 Dutch, 3 Italian, else English); 0 for none.
uint32_t KeysMappingTextId(uint32_t taskType, uint32_t taskFlags, int language);
// The same for the feedback description.
uint32_t FeedbackTextId(uint32_t taskFlags, uint32_t taskFbk, int language);

// The descriptions as RTF documents; the empty document without a task or
// text.
std::string GetKeysMappingText(const IExpModelTask* task, int language, const TextLoader& load);
std::string GetFeedbackText(const IExpModelTask* task, int language, const TextLoader& load);

}  // namespace qel
