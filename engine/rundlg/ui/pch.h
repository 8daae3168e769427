// Precompiled headers of the run dialogs.
#pragma once

#include <wx/wx.h>
#include <wx/listctrl.h>
