// The test plug-in loaded by the program's own plug-in loader: what the
// framework publishes passes the loader's checks, and the loader's norm
// service reaches the plug-in's getters and back.
#include <gtest/gtest.h>

#include "engine/library/TaskLibrary.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace {

TEST(EngineLoad, ProbeLoadsAndAnswersNorms) {
  FakeTaskHost host;
  CTaskLibrary library;
  library.host = &host;
  ASSERT_TRUE(library.Load(PROBE_PLUGIN, false));
  EXPECT_EQ(library.GetShortCode(), "FWP");
  EXPECT_EQ(library.GetKeptCount(), 6) << "the combined row has no name";
  EXPECT_EQ(library.FindVariableByName("ZTr_fw"), 5);
  EXPECT_STREQ(library.GetSourceCode(0), "Tl_fw");

  // Norm means of the left and right mean time at every age.
  const double left[] = {300.0, 0.0, 0.0, 0.0};
  const double right[] = {340.0, 0.0, 0.0, 0.0};
  const double sd[] = {40.0, 0.0, 0.0, 0.0};
  ASSERT_TRUE(library.AddNormFunction("FWP", "ZTl_fw", kNormFunctionMean, 0.0, 120.0, left, 4));
  ASSERT_TRUE(library.AddNormFunction("FWP", "ZTr_fw", kNormFunctionMean, 0.0, 120.0, right, 4));
  ASSERT_TRUE(library.AddNormFunction("FWP", "ZTl_fw", kNormFunctionSd, 0.0, 120.0, sd, 4));
  ASSERT_TRUE(library.AddNormFunction("FWP", "ZTr_fw", kNormFunctionSd, 0.0, 120.0, sd, 4));
  double out = 0.0;
  ASSERT_TRUE(library.GetVariableValue(6, &out, 0.0, 42.0, kNormMean, true));
  EXPECT_EQ(out, 320.0) << "the plug-in's pair getter takes the mean of both hands";
  ASSERT_TRUE(library.GetVariableValue(6, &out, 0.0, 42.0, kNormSd, true));
  EXPECT_EQ(out, 40.0);
  EXPECT_FALSE(library.GetVariableValue(6, &out, 380.0, 42.0, kNormZScore, true)) << "no Z-score from a pair";
  ASSERT_TRUE(library.GetVariableValue(0, &out, 380.0, 42.0, kNormZScore, true));
  EXPECT_EQ(out, 2.0);

  library.Unload();
  EXPECT_EQ(library.module, nullptr);
}

}  // namespace

}  // namespace qel
