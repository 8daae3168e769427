// The SDL audio subsystem, started once for the sound layers (SDL keeps
// its own count, so other users of SDL are not disturbed). No window.
#pragma once

#include <string>

namespace qel {

// Starts SDL's audio subsystem when it does not run yet; false with the
// audio system's error text when no audio driver can be started.
bool StartSdlAudio(std::string* error);

// Ends what StartSdlAudio started (program end; tests that switch drivers).
void StopSdlAudio();

// The audio system's last error text.
std::string SdlAudioError();

}  // namespace qel
