// The administration windows: every page of the "System Config" sheet.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bookctrl.h>

#include <string>

#include "admin/ui/MySysCfg.h"
#include "app/settings/SystemSettings.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/SoundDevices.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

TEST(AdminWindows, SystemConfigPages) {
  PromptRecorder messages;
  ResetSystemSettings();
  EnumInputDevices();
  EnumSoundDevices();
  const char* const names[CMySysCfg::kPageCount] = {"sys_config_button", "sys_config_sound", "sys_config_display",
                                                    "sys_config_feedback", "sys_config_options"};
  for (int page = 0; page < CMySysCfg::kPageCount; ++page) {
    auto* sheet = new CMySysCfg("System Config", nullptr, ReadSystemConfig(), page);
    ExpectDrawn(Snap(sheet, names[page]), names[page]);
    sheet->Destroy();
    Pump(30);
  }
}

}  // namespace

}  // namespace qel
