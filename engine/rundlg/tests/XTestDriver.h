// The testee's keyboard and the testee's screen as an X client sees them:
// key presses through the X test extension and a picture of the root
// window. Kept apart from wx and gtest because of the X headers' macros.
#pragma once

namespace rundlgtest {

class XTestDriver {
 public:
  XTestDriver();
  ~XTestDriver();
  XTestDriver(const XTestDriver&) = delete;
  XTestDriver& operator=(const XTestDriver&) = delete;

  bool IsOk() const { return display_ != nullptr; }
  // Presses or releases the key of the keysym name ("Shift_L", "space").
  void Key(const char* keysymName, bool down);
  // Pixels that are not black in the rectangle of the screen right now.
  int CountLitPixels(int x, int y, int width, int height);
  int ScreenWidth() const { return width_; }
  int ScreenHeight() const { return height_; }

 private:
  void* display_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace rundlgtest
