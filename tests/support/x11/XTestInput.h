// Keys, mouse buttons and pointer motion injected through the X test
// extension on a connection of the test's own, as a testee's devices would
// send them. Everything still held is let go when the object goes. The X
// headers stay out of this header because of the macros they define.
#pragma once

#include <set>
#include <string>

typedef struct _XDisplay Display;

namespace qel {

namespace test {

class XTestInput {
 public:
  XTestInput();
  ~XTestInput();
  XTestInput(const XTestInput&) = delete;
  XTestInput& operator=(const XTestInput&) = delete;

  bool Ok() const { return m_display != nullptr; }
  int ScreenWidth() const { return m_width; }
  int ScreenHeight() const { return m_height; }

  // A key by its X key code; a key code of 0 fails the test.
  void Key(unsigned x11Keycode, bool down);
  // A key by keysym (XK_space) or keysym name ("Shift_L").
  void KeySym(unsigned long keysym, bool down);
  void KeyNamed(const char* keysymName, bool down);
  // Types printable ASCII text key by key, with Shift where the keyboard
  // map puts the character on the shifted level ('\n' is Return).
  void Type(const std::string& text);
  void Button(unsigned button, bool down);
  void Click(unsigned button);
  // Relative motion, motion to a screen point, and a warp of the pointer.
  void Move(int dx, int dy);
  void MoveTo(int x, int y);
  void Warp(int x, int y);

  // Sends what is queued; Sync also waits until the server has handled it
  // and has sent the events it caused to every client, then runs the hook
  // (a program's wait for its own event reader; none by default).
  static void SetSyncHook(void (*hook)());
  void Flush();
  void Sync();

 private:
  Display* m_display = nullptr;
  int m_width = 0;
  int m_height = 0;
  std::set<unsigned> m_keys;
  std::set<unsigned> m_buttons;
  int m_xiOpcode = -1;
  unsigned long m_sent = 0;  // key and button events sent
  unsigned long m_seen = 0;  // of those, come back
};

}  // namespace test

}  // namespace qel
