// The committed trial lists of the facial-emotion tasks against the balance
// they are drawn to: half of each list are target trials, every emotion of
// a matching list is shown equally often over both faces, pairs show two
// different persons in mixed sexes, the identification lists hold the
// part's emotion half of the time and the averted faces their share of
// left and right; no list has more than four equal answers in a row or the
// same code twice in a row.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tasks/layers/faces/FacePictures.h"
#include "tasks/plugins/iae/IaeTrialLists.h"
#include "tasks/plugins/ife/IfeTrialLists.h"
#include "tasks/plugins/mfe4/Mfe4TrialLists.h"
#include "tasks/plugins/mfe6/Mfe6TrialLists.h"
#include "tasks/plugins/mfe8/Mfe8TrialLists.h"

namespace qel {

namespace {

using Codes = std::vector<std::string>;

Codes ListOf(const char (*list)[kTrialCodeSize], int count) {
  Codes codes;
  for (int i = 0; i < count; ++i) codes.emplace_back(list[i], strnlen(list[i], kTrialCodeSize));
  return codes;
}

// No more than four equal answers in a row, never one code twice in a row.
void ExpectOrdered(const Codes& codes, const std::vector<bool>& targets) {
  int run = 0;
  for (size_t i = 0; i < codes.size(); ++i) {
    run = (i > 0 && targets[i] == targets[i - 1]) ? run + 1 : 1;
    EXPECT_LE(run, 4) << "at " << i;
    if (i > 0) {
      EXPECT_NE(codes[i], codes[i - 1]) << "at " << i;
    }
  }
}

// ---- Matching ----------------------------------------------------------

struct MatchingList {
  const char* name;
  int emotions;
  const char (*list)[kTrialCodeSize];
  int length;
};

const MatchingList kMatchingLists[] = {
    {"MFE8 practice", 8, kMfe8Practice[0][0], 16}, {"MFE8 test", 8, kMfe8Test[0][0], 224},
    {"MFE6 practice", 6, kMfe6Practice[0][0], 12}, {"MFE6 test", 6, kMfe6Test[0][0], 192},
    {"MFE4 practice", 4, kMfe4Practice[0][0], 8},  {"MFE4 test", 4, kMfe4Test[0][0], 160},
};

TEST(MatchingLists, BalancedAsDrawn) {
  for (const MatchingList& m : kMatchingLists) {
    SCOPED_TRACE(m.name);
    const Codes codes = ListOf(m.list, m.length);
    std::vector<bool> targets;
    std::map<int, int> shown, samePairs;
    std::map<std::pair<int, int>, int> ordered;
    std::map<std::string, int> sexes;
    for (const std::string& code : codes) {
      ASSERT_EQ(code.size(), 6u) << code;
      FaceCode a, b;
      ASSERT_TRUE(ParseFace(code.c_str(), m.emotions, &a)) << code;
      ASSERT_TRUE(ParseFace(code.c_str() + 3, m.emotions, &b)) << code;
      EXPECT_GE(a.emotion, 1) << code;
      EXPECT_GE(b.emotion, 1) << code;
      EXPECT_FALSE(a.sex == b.sex && a.person == b.person) << code << ": one person twice";
      targets.push_back(a.emotion == b.emotion);
      ++shown[a.emotion];
      ++shown[b.emotion];
      if (a.emotion == b.emotion) ++samePairs[a.emotion];
      else ++ordered[{a.emotion, b.emotion}];
      ++sexes[code.substr(0, 1) + code.substr(3, 1)];
    }
    int same = 0;
    for (bool t : targets) same += t ? 1 : 0;
    EXPECT_EQ(same, m.length / 2);
    for (int e = 1; e <= m.emotions; ++e) {
      EXPECT_EQ(shown[e], 2 * m.length / m.emotions) << "emotion " << e;
      EXPECT_EQ(samePairs[e], m.length / 2 / m.emotions) << "emotion " << e;
      for (int f = e + 1; f <= m.emotions; ++f) {
        EXPECT_LE(std::abs(ordered[{e, f}] - ordered[{f, e}]), 1) << e << f << ": both ways round in turn";
      }
    }
    if (m.length >= 100) {
      for (const char* pair : {"mm", "mw", "wm", "ww"}) EXPECT_GE(sexes[pair], m.length / 12) << pair;
    }
    ExpectOrdered(codes, targets);
  }
}

// ---- Identification ------------------------------------------------------

struct IdentificationList {
  const char* name;
  bool averted;
  int part;
  const char (*list)[kTrialCodeSize];
  int length;
};

std::vector<IdentificationList> AllIdentificationLists() {
  std::vector<IdentificationList> lists;
  for (int p = 0; p < kIfeParts; ++p) {
    lists.push_back({"IFE test", false, p, kIfeTest[0][p], 40});
    lists.push_back({"IFE practice", false, p, kIfePractice[0][p], 8});
    lists.push_back({"IFE further practice", false, p, kIfeSecondPractice[0][p], 4});
    lists.push_back({"IFE further test", false, p, kIfeSecondTest[0][p], 4});
  }
  for (int p = 0; p < kIaeParts; ++p) {
    lists.push_back({"IAE test", true, p, kIaeTest[0][p], 64});
    lists.push_back({"IAE practice", true, p, kIaePractice[0][p], 8});
    lists.push_back({"IAE further practice", true, p, kIaeSecondPractice[0][p], 4});
    lists.push_back({"IAE further test", true, p, kIaeSecondTest[0][p], 4});
  }
  return lists;
}

TEST(IdentificationLists, BalancedAsDrawn) {
  for (const IdentificationList& l : AllIdentificationLists()) {
    SCOPED_TRACE(std::string(l.name) + " part " + std::to_string(l.part + 1));
    const Codes codes = ListOf(l.list, l.length);
    const int own = l.part + 1;
    std::vector<bool> targets;
    std::map<int, int> emotions;
    std::map<std::string, int> persons;
    int gazes[2][3] = {};  // [target][gaze]
    for (const std::string& code : codes) {
      FaceCode face;
      ASSERT_TRUE(ParseFace(code.c_str(), l.averted ? 4 : 8, &face)) << code;
      ASSERT_LE(code.size(), l.averted ? 4u : 3u) << code;
      const int gaze = code.size() > 3 ? GazeOf(code[3]) : kGazeStraight;
      if (code.size() > 3) {
        EXPECT_NE(gaze, kGazeStraight) << code << ": a fourth character is L or R";
      }
      const bool target = face.emotion == own;
      targets.push_back(target);
      ++emotions[face.emotion];
      if (target) ++persons[code.substr(0, 2)];
      ++gazes[target][gaze];
    }
    EXPECT_EQ(emotions[own], l.length / 2) << "half of the faces show the part's emotion";
    const int others = l.averted ? 4 : 8;
    if (l.length >= 40) {
      for (int e = 0; e <= others; ++e) {
        if (e == own) continue;
        EXPECT_GE(emotions[e], l.length / 2 / others) << "emotion " << e;
        EXPECT_LE(emotions[e], (l.length / 2 + others - 1) / others) << "emotion " << e;
      }
      for (const char* person : {"m1", "m2", "w1", "w2"}) EXPECT_EQ(persons[person], l.length / 8) << person;
    }
    for (int half = 0; half < 2; ++half) {
      const int n = l.length / 2;
      if (!l.averted) {
        EXPECT_EQ(gazes[half][kGazeStraight], n);
      } else if (l.length >= 8) {
        // Half of each half straight, a quarter each averted left and right.
        EXPECT_EQ(gazes[half][kGazeStraight], n / 2);
        EXPECT_EQ(gazes[half][kGazeLeft], n / 4);
        EXPECT_EQ(gazes[half][kGazeRight], n / 4);
      } else {
        EXPECT_EQ(gazes[half][kGazeStraight], 1);
        EXPECT_EQ(gazes[half][kGazeLeft], 1);
      }
    }
    ExpectOrdered(codes, targets);
  }
}

}  // namespace

}  // namespace qel
