// The library is built with hidden symbols; this marks what it exports.
#pragma once

namespace qel {

#define QEL_SCREEN_API __attribute__((visibility("default")))

}  // namespace qel
