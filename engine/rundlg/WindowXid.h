// The X11 window id of a wx window (0 when it has none yet).
#pragma once

class wxWindow;

unsigned long WindowXid(wxWindow* window);
