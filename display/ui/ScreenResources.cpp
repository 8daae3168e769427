#include "display/ui/ScreenResources.h"

QelResModule QelScreenResources() { return &QelModuleResources(); }
