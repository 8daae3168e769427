// Texts that plug-ins, libraries and the system hand over as C strings may be
// null; where an empty text is meant, TextOrEmpty gives one.
#pragma once

namespace qel {

inline const char* TextOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace qel
