// The program's lists of sound output and capture devices (at most four
// each). The first entry of a list is the system's default device.
#pragma once

#include <string>

#include "engine/sound/SoundDeviceList.h"

namespace qel {

// Empties both lists and fills them again. A failure to start the audio
// system is shown ("DirectSoundEnum"). True when it started and at least
// one output device is listed.
bool EnumSoundDevices();

// Description of output device index; "" outside 0..count-1.
std::string GetSoundDeviceName(int index);

const CSoundDeviceList& OutputSoundDevices();
const CSoundDeviceList& CaptureSoundDevices();

// Fills a list from what the audio system reports for one direction: the
// default device first, then the named devices while the list has room.
void FillSoundDeviceList(CSoundDeviceList& list, bool capture);

}  // namespace qel
