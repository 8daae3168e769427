// The settings file as the store reads it. A hand-edited file may hold a
// section twice, an entry without a name or a line that is neither: the
// store reads such a file as the one it means instead of refusing it (an
// unreadable value gives its default). Window-free.
#pragma once

#include <string>
#include <string_view>

namespace qel {

// One block per section in the order of first appearance (a section written
// twice is read as one; of a name written twice the first value counts),
// comments kept where they stand; entries without a name that means
// something, headers without one or without their closing bracket (with
// their entries) and lines that are neither an entry nor a comment are left
// out. Lines end at \n, \r\n or a lone \r.
std::string CleanSettingsText(std::string_view text);

}  // namespace qel
