// The six system settings ("Settings" section), read at start-up, edited by
// the system configuration sheet, used by the run engine and the devices,
// and written back at shut-down.
#pragma once

namespace qel {

constexpr const char* kSettingsSection = "Settings";

extern int g_ButtonType;  // response device type: a QelButtonType
extern int g_ButtonInd;   // index of the response device among those of its type
extern int g_ScreenInd;   // index of the display used for runs
extern int g_SoundInd;    // index of the sound output device
extern int g_SignalSync;  // not 0: signal bytes go to the parallel port during runs
extern int g_Language;    // 0 default, 1 English, 2 Dutch, 3 Italian

// Two device words the configuration sheet edits beside them; never stored.
extern int g_VideoMode;
extern int g_FeedbackDevice;

struct QelSystemSetting {
  const char* entry;  // value name in the "Settings" section
  int* value;
  int defaultValue;
};

// The six stored settings in their order, with their defaults.
constexpr int kSystemSettingCount = 6;
const QelSystemSetting* SystemSettings();

// Every setting back to its default (the state of a first start).
void ResetSystemSettings();

}  // namespace qel
