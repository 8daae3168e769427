#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tools/pictures/PicturePath.h"

namespace qel {

namespace {

using qel::pictures::ParsePath;

TEST(PicturePath, ReadsEveryCommandWithItsNumbers) {
  const auto path = ParsePath(" M 1 2 L -3.5 4 C 1 2 3 4 5 6 Z L 7 8 E 10 20 5 6 -30 M 0 0");
  ASSERT_EQ(path.size(), 7u);
  EXPECT_EQ(path[0].op, 'M');
  EXPECT_EQ(path[1].op, 'L');
  EXPECT_DOUBLE_EQ(path[1].v[0], -3.5);
  EXPECT_EQ(path[2].op, 'C');
  EXPECT_DOUBLE_EQ(path[2].v[5], 6);
  EXPECT_EQ(path[3].op, 'Z');
  EXPECT_EQ(path[5].op, 'E');
  EXPECT_DOUBLE_EQ(path[5].v[4], -30);
  EXPECT_TRUE(ParsePath("").empty());
}

class MalformedPath : public testing::TestWithParam<const char*> {};

TEST_P(MalformedPath, IsRefused) { EXPECT_THROW(ParsePath(GetParam()), std::invalid_argument); }

INSTANTIATE_TEST_SUITE_P(All, MalformedPath,
                         testing::Values("M 1", "M 1 x", "Q 1 2", "L 1 2", "M 1 2 C 1 2 3 4 5", "Z",
                                         "E 1 2 3 4 5 L 1 2", "M nan 2", "M 1 inf", "M 1 2 L 3"));

}  // namespace

}  // namespace qel
