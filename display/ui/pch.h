// Precompiled headers of the display library and its window tests.
#pragma once

#include <wx/display.h>
#include <wx/html/htmlwin.h>
#include <wx/listctrl.h>
#include <wx/wx.h>

#include <cairo.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
