// Pictures of the plug-in's resources drawn into a context.
#include <gtest/gtest.h>

#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

class Pictures : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_b.task.Init(&m_b.record)); }
  BoundTask m_b;
  MemoryDC m_dc{10, 10, 0x111111};
};

TEST_F(Pictures, BitmapAsStoredAndUpsideDown) {
  ASSERT_TRUE(m_b.task.DrawBitmap(&m_dc, 201, 2, 3, false));
  EXPECT_EQ(m_dc.GetPixel(2, 3), QelRGB(255, 0, 0));
  EXPECT_EQ(m_dc.GetPixel(5, 3), QelRGB(255, 255, 255));
  EXPECT_EQ(m_dc.GetPixel(2, 5), QelRGB(255, 255, 0));
  EXPECT_EQ(m_dc.GetPixel(6, 3), 0x111111u) << "drawn 1:1";
  EXPECT_EQ(m_dc.GetPixel(2, 6), 0x111111u);
  ASSERT_TRUE(m_b.task.DrawBitmap(&m_dc, 201, 2, 3, true));
  EXPECT_EQ(m_dc.GetPixel(2, 3), QelRGB(255, 255, 0));
  EXPECT_EQ(m_dc.GetPixel(3, 5), QelRGB(0, 255, 0));
  EXPECT_EQ(m_dc.GetPixel(2, 6), 0x111111u) << "in the same place";
  EXPECT_EQ(m_dc.GetPixel(2, 2), 0x111111u);
}

TEST_F(Pictures, PngResource) {
  ASSERT_TRUE(m_b.task.DrawBitmap(&m_dc, 202, 0, 0, false));
  EXPECT_EQ(m_dc.GetPixel(0, 0), QelRGB(255, 0, 255));
  EXPECT_EQ(m_dc.GetPixel(1, 1), QelRGB(255, 128, 0));
}

TEST_F(Pictures, FailuresDrawNothing) {
  EXPECT_FALSE(m_b.task.DrawBitmap(&m_dc, 999, 0, 0, false)) << "no such picture";
  EXPECT_FALSE(m_b.task.DrawBitmap(&m_dc, 203, 0, 0, false)) << "not a picture";
  EXPECT_FALSE(m_b.task.DrawBitmap(nullptr, 201, 0, 0, false));
  m_b.record.resources = nullptr;
  EXPECT_FALSE(m_b.task.DrawBitmap(&m_dc, 201, 0, 0, false)) << "the record has no module";
  CoreTask unbound;
  EXPECT_FALSE(unbound.DrawBitmap(&m_dc, 201, 0, 0, false));
  EXPECT_EQ(m_dc.Count(0x111111), 100);
  EXPECT_FALSE(CTaskBase::BlitBitmap(&m_dc, QelBitmap{}, 0, 0, false));
}

}  // namespace

}  // namespace qel
