// A text of the program (model, plug-in or project text) as a wx string:
// never empty for its encoding (see common/TextEncoding.h). Header-only, for
// targets that link wx.
#pragma once

#include <wx/string.h>

#include <string_view>

#include "common/TextEncoding.h"

namespace qel {

inline wxString ToWx(std::string_view text) { return wxString::FromUTF8(TextAsUtf8(text)); }

}  // namespace qel
