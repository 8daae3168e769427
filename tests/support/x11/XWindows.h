// The top-level windows on the X screen as the server knows them, on a
// connection of the test's own: which are viewable, their titles and where
// they lie; and the input focus given to one, as a window manager does
// when the operator clicks it. The X headers stay out of this header.
#pragma once

#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace qel {

namespace test {

struct XTopWindow {
  unsigned long id = 0;
  std::string title;  // _NET_WM_NAME, else WM_NAME
  int x = 0;          // on the screen
  int y = 0;
  int width = 0;
  int height = 0;
};

class XWindows {
 public:
  XWindows();
  ~XWindows();
  XWindows(const XWindows&) = delete;
  XWindows& operator=(const XWindows&) = delete;

  bool Ok() const { return m_display != nullptr; }
  // The viewable windows with a title, topmost last.
  std::vector<XTopWindow> Viewable();
  // The topmost viewable window whose title starts with `title`.
  std::optional<XTopWindow> Find(const std::string& title);
  // Viewable pop-up menus and combo-box lists (by their window type).
  int MenusShown();
  // Keys go to the window from now on.
  void Focus(unsigned long id);

 private:
  void Collect(unsigned long window, std::vector<XTopWindow>* found);
  bool IsMenu(unsigned long window);
  std::string Title(unsigned long window);

  Display* m_display = nullptr;
};

}  // namespace test

}  // namespace qel
