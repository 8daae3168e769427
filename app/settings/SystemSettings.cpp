#include "app/settings/SystemSettings.h"

#include "include/qel/TaskHostInterface.h"

namespace qel {

int g_ButtonType = kButtonTypeMouse;
int g_ButtonInd = 0;
int g_ScreenInd = 0;
int g_SoundInd = 0;
int g_SignalSync = 0;
int g_Language = 0;
int g_VideoMode = 0;
int g_FeedbackDevice = 0;

const QelSystemSetting* SystemSettings() {
  static const QelSystemSetting kSettings[kSystemSettingCount] = {
      {"ButtonType", &g_ButtonType, 1}, {"ButtonInd", &g_ButtonInd, 0},   {"ScreenInd", &g_ScreenInd, 0},
      {"SoundInd", &g_SoundInd, 0},     {"SignalSync", &g_SignalSync, 0}, {"Language", &g_Language, 0},
  };
  return kSettings;
}

void ResetSystemSettings() {
  const QelSystemSetting* s = SystemSettings();
  for (int i = 0; i < kSystemSettingCount; ++i) *s[i].value = s[i].defaultValue;
  g_VideoMode = 0;
  g_FeedbackDevice = 0;
}

}  // namespace qel
