// What the facial-emotion tasks publish when a run is set up (command 2):
// the lists of the part, the words of every part, the emotion asked for,
// the further lists of the identification tasks; and the face pictures
// they carry, byte for byte the committed ones under the ids of the table.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tasks/layers/faces/FacePictures.h"
#include "tasks/plugins/iae/IaeTrialLists.h"
#include "tasks/plugins/ife/IfeTrialLists.h"
#include "tasks/plugins/mfe4/Mfe4TrialLists.h"
#include "tasks/plugins/mfe6/Mfe6TrialLists.h"
#include "tasks/plugins/mfe8/Mfe8TrialLists.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;
using CodeTable = const char (*)[kTrialCodeSize];

void ExpectCodes(const char (*actual)[kTrialCodeSize], CodeTable expected, uint32_t count, const char* what) {
  ASSERT_NE(actual, nullptr) << what;
  for (uint32_t i = 0; i < count; ++i) EXPECT_STREQ(actual[i], expected[i]) << what << " " << i;
}

struct SetupCase {
  const char* task;
  int part;
  bool practice;
  CodeTable list;  // the codes the host's trial list holds
  uint32_t trials;
  CodeTable second;  // the further list of the run, or null
  const char* runText;
  int parts;
  int32_t testLength;
  int32_t practiceLength;
  int32_t normTrials;
};

const SetupCase kSetups[] = {
    {"MFE8", 0, false, kMfe8Test[0][0], 224, nullptr, "", 1, 224, 16, 224},
    {"MFE8", 0, true, kMfe8Practice[0][0], 16, nullptr, "", 1, 224, 16, 224},
    {"MFE6", 0, false, kMfe6Test[0][0], 192, nullptr, "", 1, 192, 12, 192},
    {"MFE4", 0, true, kMfe4Practice[0][0], 8, nullptr, "", 1, 160, 8, 160},
    {"IFE", 0, false, kIfeTest[0][0], 40, kIfeSecondTest[0][0], "1", 8, 40, 8, 40},
    {"IFE", 3, false, kIfeTest[0][3], 40, kIfeSecondTest[0][3], "4", 8, 40, 8, 40},
    {"IFE", 7, true, kIfePractice[0][7], 8, kIfeSecondPractice[0][7], "8", 8, 40, 8, 40},
    {"IAE", 2, false, kIaeTest[0][2], 64, kIaeSecondTest[0][2], "3", 4, 64, 8, 64},
    {"IAE", 1, true, kIaePractice[0][1], 8, kIaeSecondPractice[0][1], "2", 4, 64, 8, 64},
};

TEST(FaceTaskSetup, ListsAndWordsOfThePart) {
  for (const SetupCase& c : kSetups) {
    SCOPED_TRACE(std::string(c.task) + " part " + std::to_string(c.part + 1) + (c.practice ? " practice" : " test"));
    LoadedTask t(c.task);
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, c.part, c.practice));
    EXPECT_EQ(t.m_host.trialCount, c.trials);
    ExpectCodes(t.m_host.trialList, c.list, c.trials, "trial list");
    if (c.second) {
      EXPECT_EQ(t.m_host.secondCount, 4u);
      ExpectCodes(t.m_host.secondList, c.second, 4, "further list");
    } else {
      EXPECT_EQ(t.m_host.secondCount, 0u);
    }
    EXPECT_EQ(t.m_library.runText, c.runText) << "the emotion asked for";
    for (int q = 0; q < kMaxParts; ++q) {
      EXPECT_EQ(t.m_library.partWordsA[q], q < c.parts ? c.testLength : 0) << q;
      EXPECT_EQ(t.m_library.partWordsB[q], q < c.parts ? c.practiceLength : 0) << q;
      EXPECT_EQ(t.m_library.normTrialCounts[q], q < c.parts ? c.normTrials : -1) << q;
    }
  }
}

TEST(FaceTaskSetup, PartsAndTextsByLanguage) {
  LoadedTask ife("IFE");
  ASSERT_TRUE(ife.Loaded());
  ASSERT_EQ(ife.m_library.partCount, 8);
  EXPECT_STREQ(ife.m_library.partNames[2], "Angry");
  EXPECT_STREQ(ife.m_library.versionNames[0], "No versions");
  ASSERT_TRUE(ife.Setup(1, 0, false, 2));
  EXPECT_NE(ife.m_library.texts[0].find("Emoties op gezichten herkennen"), std::string::npos);
  EXPECT_NE(ife.m_library.texts[2].find("Parameters van de probe"), std::string::npos);
  ASSERT_TRUE(ife.Setup(1, 0, false, 3));
  EXPECT_NE(ife.m_library.texts[0].find("Identificazione"), std::string::npos);

  LoadedTask mfe("MFE6");
  ASSERT_TRUE(mfe.Loaded());
  EXPECT_EQ(mfe.m_library.partCount, 1);
  ASSERT_TRUE(mfe.Setup(1, 0, false, 1));
  EXPECT_NE(mfe.m_library.texts[0].find("Matching Facial Emotions 6"), std::string::npos);
  EXPECT_NE(mfe.m_library.texts[1].find("Task has no parts!"), std::string::npos);
  ASSERT_TRUE(mfe.Setup(1, 0, false, 2));
  EXPECT_NE(mfe.m_library.texts[1].find("Task has no parts!"), std::string::npos) << "one part text for all";
}

// ---- The pictures each plug-in carries -----------------------------------

const std::filesystem::path kPictures = std::filesystem::path(QEL_SOURCE_DIR) / "tasks/layers/faces/pictures";

std::string FileOf(int size, int sex, int person, int gaze, int emotion) {
  static const char* const kGazes[] = {"", "_left", "_right"};
  return std::string(sex == 0 ? "m" : "w") + std::to_string(person + 1) + "_" + std::to_string(emotion) + kGazes[gaze] +
         (size == kFaceLarge ? "_large.png" : "_small.png");
}

std::vector<uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(kPictures / name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ExpectPicture(const LoadedTask& t, uint32_t id, const std::string& file) {
  const QelResource* res = QelFindResource(t.m_library.resources, "PNG", id);
  ASSERT_NE(res, nullptr) << "id " << id << " for " << file;
  const std::vector<uint8_t> committed = ReadFile(file);
  ASSERT_FALSE(committed.empty()) << file;
  EXPECT_TRUE(res->size == committed.size() && std::memcmp(res->data, committed.data(), res->size) == 0)
      << "id " << id << " is not " << file;
}

TEST(FaceTaskPictures, EveryFaceUnderItsId) {
  for (const char* task : {"MFE8", "MFE6", "MFE4", "IFE", "IAE"}) {
    SCOPED_TRACE(task);
    LoadedTask t(task);
    ASSERT_TRUE(t.Loaded());
    const bool averted = std::string(task) == "IAE";
    for (int size = 0; size < 2; ++size) {
      for (int sex = 0; sex < kFaceSexes; ++sex) {
        for (int person = 0; person < kFacePersons; ++person) {
          for (int emotion = 0; emotion < kFaceEmotions; ++emotion) {
            const uint32_t id = FacePictureId(size, sex, person, emotion);
            if (averted && emotion >= kAvertedFaceEmotions) {
              EXPECT_EQ(QelFindResource(t.m_library.resources, "PNG", id), nullptr) << "no emotion " << emotion;
              continue;
            }
            ExpectPicture(t, id, FileOf(size, sex, person, 0, emotion));
          }
          for (int gaze = kGazeLeft; averted && gaze <= kGazeRight; ++gaze) {
            for (int emotion = 0; emotion < kAvertedFaceEmotions; ++emotion) {
              ExpectPicture(t, GazeFacePictureId(size, sex, person, gaze, emotion),
                            FileOf(size, sex, person, gaze, emotion));
            }
          }
        }
      }
    }
  }
}

}  // namespace

}  // namespace qel
