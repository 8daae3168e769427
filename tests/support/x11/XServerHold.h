// An X server resets itself when its last client goes, and refuses
// connections while it does. A test program whose tests each open and close
// connections of their own (and no window library that keeps one) holds one
// for its whole life:
//   ::testing::AddGlobalTestEnvironment(new qel::test::XServerHold);
#pragma once

#include <gtest/gtest.h>

typedef struct _XDisplay Display;

namespace qel {

namespace test {

class XServerHold : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

 private:
  Display* m_display = nullptr;
};

}  // namespace test

}  // namespace qel
