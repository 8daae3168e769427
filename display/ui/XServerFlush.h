// Hands everything drawn so far to the X server: a flush, or with `wait` a
// round trip that returns once the server has processed it.
#pragma once

namespace qel {

namespace display {

void FlushToXServer(bool wait);

}  // namespace display

}  // namespace qel
