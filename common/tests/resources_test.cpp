#include <gtest/gtest.h>

#include "include/qel/Resources.h"

namespace qel {

namespace {

TEST(EmbeddedResources, FoundByTypeAndId) {
  QelResModule self = &QelModuleResources();
  ASSERT_EQ(self->count, 3u);
  const QelResource* blob = QelFindResource(self, "WAVE", 7);
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(blob->size, 3000u);
  EXPECT_EQ(QelFindResource(self, "TEXT", 7), nullptr);
  EXPECT_EQ(QelFindResource(self, "WAVE", 8), nullptr);
  EXPECT_EQ(QelFindResource(nullptr, "WAVE", 7), nullptr);
}

TEST(EmbeddedResources, TextIsCutAtTheFirstNul) {
  QelResModule self = &QelModuleResources();
  EXPECT_EQ(QelLoadTextResource(self, 101), "Hello");
  EXPECT_EQ(QelLoadTextResource(self, 102), "{\\rtf1 plain}");
  EXPECT_EQ(QelLoadTextResource(self, 999), "");
}

TEST(EmbeddedResources, CurrentModuleIsScopedAndRestored) {
  static const QelResourceTable other{nullptr, 0};
  EXPECT_EQ(QelGetResourceModule(), &QelModuleResources());
  {
    QelScopedResourceModule scope(&other);
    EXPECT_EQ(QelGetResourceModule(), &other);
    {
      QelScopedResourceModule inner(nullptr);
      EXPECT_EQ(QelGetResourceModule(), &QelModuleResources());
    }
    EXPECT_EQ(QelGetResourceModule(), &other);
  }
  EXPECT_EQ(QelGetResourceModule(), &QelModuleResources());
}

}  // namespace

}  // namespace qel
