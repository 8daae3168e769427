// The face pictures' ids by size, sex, person, gaze and emotion, and the
// face codes of the trial lists, as tables of cases.
#include <gtest/gtest.h>

#include <set>

#include "tasks/layers/faces/FacePictures.h"

namespace qel {

namespace {

struct IdCase {
  int size, sex, person, emotion;
  uint32_t id;
};

// Every corner of the table and the entries that break its runs.
const IdCase kIds[] = {
    {kFaceLarge, 0, 0, 0, 104},
    {kFaceLarge, 0, 0, 8, 112},
    {kFaceLarge, 0, 1, 0, 121},
    {kFaceLarge, 0, 1, 1, 114},
    {kFaceLarge, 0, 1, 8, 113},
    {kFaceLarge, 1, 0, 0, 123},
    {kFaceLarge, 1, 0, 8, 122},
    {kFaceLarge, 1, 1, 0, 132},
    {kFaceLarge, 1, 1, 7, 139},
    {kFaceLarge, 1, 1, 8, 131},
    {kFaceSmall, 0, 0, 0, 175},
    {kFaceSmall, 0, 0, 1, 141},
    {kFaceSmall, 0, 0, 8, 148},
    {kFaceSmall, 0, 1, 0, 149},
    {kFaceSmall, 1, 0, 8, 166},
    {kFaceSmall, 1, 1, 0, 167},
    {kFaceSmall, 1, 1, 7, 174},
    {kFaceSmall, 1, 1, 8, 140},
    // Outside the ranges: no picture.
    {2, 0, 0, 0, 0},
    {-1, 0, 0, 0, 0},
    {kFaceLarge, 2, 0, 0, 0},
    {kFaceLarge, 0, 2, 0, 0},
    {kFaceLarge, 0, 0, 9, 0},
    {kFaceLarge, 0, 0, -1, 0},
};

TEST(FacePictureIds, AsTheTablesGiveThem) {
  for (const IdCase& c : kIds) {
    EXPECT_EQ(FacePictureId(c.size, c.sex, c.person, c.emotion), c.id)
        << c.size << " " << c.sex << " " << c.person << " " << c.emotion;
  }
}

TEST(FacePictureIds, EveryFaceItsOwnId) {
  std::set<uint32_t> ids;
  for (int size = 0; size < 2; ++size) {
    for (int sex = 0; sex < kFaceSexes; ++sex) {
      for (int person = 0; person < kFacePersons; ++person) {
        for (int emotion = 0; emotion < kFaceEmotions; ++emotion) {
          EXPECT_TRUE(ids.insert(FacePictureId(size, sex, person, emotion)).second);
        }
        for (int gaze = kGazeLeft; gaze <= kGazeRight; ++gaze) {
          for (int emotion = 0; emotion < kAvertedFaceEmotions; ++emotion) {
            const uint32_t id = GazeFacePictureId(size, sex, person, gaze, emotion);
            EXPECT_GE(id, 201u);
            EXPECT_TRUE(ids.insert(id).second) << id;
          }
        }
      }
    }
  }
  EXPECT_EQ(ids.size(), 72u + 80u);
}

TEST(FacePictureIds, GazeTable) {
  // A straight gaze is the face of the shared table; averted faces only for emotions 0..4.
  EXPECT_EQ(GazeFacePictureId(kFaceLarge, 0, 1, kGazeStraight, 1), 114u);
  EXPECT_EQ(GazeFacePictureId(kFaceLarge, 0, 0, kGazeLeft, 0), 201u);
  EXPECT_EQ(GazeFacePictureId(kFaceLarge, 1, 1, kGazeLeft, 4), 220u);
  EXPECT_EQ(GazeFacePictureId(kFaceLarge, 0, 0, kGazeRight, 0), 221u);
  EXPECT_EQ(GazeFacePictureId(kFaceSmall, 0, 0, kGazeLeft, 0), 241u);
  EXPECT_EQ(GazeFacePictureId(kFaceSmall, 1, 1, kGazeRight, 4), 280u);
  EXPECT_EQ(GazeFacePictureId(kFaceLarge, 0, 0, kGazeStraight, 5), 0u);
  EXPECT_EQ(GazeFacePictureId(kFaceLarge, 0, 0, 3, 0), 0u);
}

struct ParseCase {
  const char* chars;
  int maxEmotion;
  bool ok;
  FaceCode face;
};

const ParseCase kParses[] = {
    {"m23", 8, true, {0, 1, 3, 0}},
    {"w10", 8, true, {1, 0, 0, 0}},
    {"w28", 8, true, {1, 1, 8, 0}},
    {"m24w14", 8, true, {0, 1, 4, 0}},  // the first face of a pair
    {"w29", 8, false, {}},
    {"x11", 8, false, {}},
    {"M11", 8, false, {}},
    {"m31", 8, false, {}},
    {"m0", 8, false, {}},
    {"m1", 8, false, {}},
    {"", 8, false, {}},
    {"m15", 4, false, {}},
    {"m14L", 4, true, {0, 0, 4, 0}},
};

TEST(FaceCodes, ParsedOrRefused) {
  for (const ParseCase& c : kParses) {
    FaceCode face{9, 9, 9, 9};
    EXPECT_EQ(ParseFace(c.chars, c.maxEmotion, &face), c.ok) << c.chars;
    if (!c.ok) continue;
    EXPECT_EQ(face.sex, c.face.sex) << c.chars;
    EXPECT_EQ(face.person, c.face.person) << c.chars;
    EXPECT_EQ(face.emotion, c.face.emotion) << c.chars;
    EXPECT_EQ(face.gaze, kGazeStraight) << c.chars;
  }
  FaceCode face;
  EXPECT_FALSE(ParseFace(nullptr, 8, &face));
}

TEST(FaceCodes, GazeLetters) {
  EXPECT_EQ(GazeOf('L'), kGazeLeft);
  EXPECT_EQ(GazeOf('l'), kGazeLeft);
  EXPECT_EQ(GazeOf('R'), kGazeRight);
  EXPECT_EQ(GazeOf('r'), kGazeRight);
  EXPECT_EQ(GazeOf('\0'), kGazeStraight);
  EXPECT_EQ(GazeOf('X'), kGazeStraight);
}

}  // namespace

}  // namespace qel
