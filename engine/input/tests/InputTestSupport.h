// Test helpers: input injected through XTest on a connection of the test's
// own, and a recorder of the operator messages the device layer gives.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/Prompt.h"

typedef struct _XDisplay Display;

namespace qel::test {

class XTestInjector {
 public:
  XTestInjector();
  ~XTestInjector();  // lets go of every key and button still held
  bool Ok() const { return display_ != nullptr; }

  void Key(unsigned x11Keycode, bool down);
  void Button(unsigned button, bool down);
  void Click(unsigned button);
  void Move(int dx, int dy);
  void MoveTo(int x, int y);
  void Warp(int x, int y);
  // Waits until the server has handled everything sent so far.
  void Sync();

 private:
  Display* display_ = nullptr;
  std::set<unsigned> keys_;
  std::set<unsigned> buttons_;
};

// Records shown and posted messages while it lives.
class PromptRecorder {
 public:
  PromptRecorder();
  ~PromptRecorder();
  std::vector<std::string> shown;
  std::vector<std::string> posted;

 private:
  PromptHandler previousHandler_;
  PromptPoster previousPoster_;
};

}  // namespace qel::test
