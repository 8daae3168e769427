// Precompiled headers of the run dialogs.
#pragma once

#include <wx/listctrl.h>
#include <wx/wx.h>
