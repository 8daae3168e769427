// The name of an error code that a plug-in hands to the host's error
// service: the names of the sound and input layers for their codes
// (negative 32-bit results), the system's text for a display result (an
// errno value), "0x%08X" for anything else.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

std::string HostErrorName(int32_t error);

}  // namespace qel
