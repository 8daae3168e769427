#include "engine/input/InputResult.h"

#include <cstdio>

namespace qel {

std::string InputErrorName(InputResult result) {
  switch (result) {
    case kInputOk:
      return "INPUT_OK";
    case kInputRefused:
      return "INPUT_FALSE";
    case kInputNotInitialized:
      return "INPUT_E_NOTINITIALIZED";
    case kInputNoDisplay:
      return "INPUT_E_NODISPLAY";
    case kInputInputLost:
      return "INPUT_E_INPUTLOST";
    case kInputDeviceNotFound:
      return "INPUT_E_DEVICENOTFOUND";
    case kInputUnplugged:
      return "INPUT_E_UNPLUGGED";
    case kInputUnsupported:
      return "INPUT_E_UNSUPPORTED";
    case kInputFailed:
      return "INPUT_E_FAIL";
    default:
      break;
  }
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
  return text;
}

std::string InputErrorText(InputResult result, const std::string& detail) {
  std::string text = InputErrorName(result);
  if (!detail.empty()) text += ": " + detail;
  return text;
}

std::string InputStepMessage(const std::string& step, InputResult result, const std::string& detail) {
  return step + "\n" + InputErrorText(result, detail);
}

}  // namespace qel
