// Names of the codes a plug-in hands to the error service.
#include <gtest/gtest.h>

#include <cerrno>

#include "engine/host/HostErrorName.h"
#include "engine/input/InputResult.h"
#include "engine/sound/SoundResult.h"

namespace qel {

namespace {

TEST(HostErrorName, EachLayerNamesItsOwnCodes) {
  EXPECT_EQ(HostErrorName(kSoundNoDriver), "SOUND_E_NODRIVER");
  EXPECT_EQ(HostErrorName(kSoundNotInitialized), "SOUND_E_NOTINITIALIZED");
  EXPECT_EQ(HostErrorName(kInputUnplugged), "INPUT_E_UNPLUGGED");
  EXPECT_EQ(HostErrorName(kInputNoDisplay), "INPUT_E_NODISPLAY");
  EXPECT_EQ(HostErrorName(ENOMEM), "Cannot allocate memory");
  EXPECT_EQ(HostErrorName(0), "Success");
}

TEST(HostErrorName, UnknownCodesAreShownInHex) {
  EXPECT_EQ(HostErrorName(static_cast<int32_t>(0x8BADF00Du)), "0x8BADF00D");
  EXPECT_EQ(HostErrorName(-1), "0xFFFFFFFF");
}

}  // namespace

}  // namespace qel
