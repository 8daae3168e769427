// Number texts with groups of three digits.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

// A size in groups of 1000 (or of 1024 with binary): "%d," of the millions
// when not 0, the thousands, then the units, each of the lower groups with
// three digits once a higher group is shown. 1536 binary gives "1,512".
std::string FormatSize(uint64_t value, bool binary);

// The value in decimal with a comma between groups of three digits, at most
// three groups: the highest holds everything above a million.
std::string FormatThousands(uint64_t value);

}  // namespace qel
