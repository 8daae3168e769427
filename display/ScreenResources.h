// The display library's own resource table, for the program that loads the
// library as its resource library and for SetInstResource.
#pragma once

#include "ScreenExport.h"
#include "qel/Resources.h"

QEL_SCREEN_API QelResModule QelScreenResources();
