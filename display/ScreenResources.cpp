#include "ScreenResources.h"

QelResModule QelScreenResources() { return &QelModuleResources(); }
