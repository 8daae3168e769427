// The display library's own resource table, for the program that loads the
// library as its resource library and for SetInstResource.
#pragma once

#include "display/ui/ScreenExport.h"
#include "include/qel/Resources.h"

namespace qel {

QEL_SCREEN_API QelResModule QelScreenResources();

}  // namespace qel
