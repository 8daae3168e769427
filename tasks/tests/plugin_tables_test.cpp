// Every task plug-in of the program folder, found when the test runs, loaded
// by the program's own loader: the counts it publishes match its tables,
// variable codes are unique, formats are printf formats of one number, norm
// rows point at Z rows (by their code, in any letter case) and at raw rows
// of the variable table, and the exported default model task is the one in
// the record.
#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/library/TaskLibrary.h"
#include "include/qel/TaskEntry.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The Qel*.qet files of the program folder, in name order.
std::vector<std::string> ProgramPlugins() {
  std::vector<std::string> names;
  if (DIR* dir = opendir(QEL_OUTPUT_DIR)) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      const std::string lower = Lower(name);
      if (lower.size() > 7 && lower.rfind("qel", 0) == 0 && lower.substr(lower.size() - 4) == ".qet") {
        names.push_back(name);
      }
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// One printf conversion of a double ("%.0f", "%6.2f", "%g", ...), any other
// text around it, "%%" allowed.
bool IsNumberFormat(const char* format) {
  if (!format) return false;
  int conversions = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    while (*p && std::isdigit(static_cast<unsigned char>(*p))) ++p;
    if (*p == '.') {
      ++p;
      while (*p && std::isdigit(static_cast<unsigned char>(*p))) ++p;
    }
    if (!*p || !std::strchr("fFeEgGaA", *p)) return false;
    ++conversions;
  }
  return conversions == 1;
}

bool Present(const char* text) { return text && text[0] != '\0'; }

class PluginTables : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    m_library.host = &m_host;
    const std::string path = std::string(QEL_OUTPUT_DIR) + "/" + GetParam();
    ASSERT_TRUE(m_library.Load(path.c_str(), false)) << "the program's loader refuses " << GetParam();
  }
  void TearDown() override {
    if (m_library.module) m_library.Unload();
  }

  // Command 1 with a pointer-wide answer; false when refused.
  bool Info(int type, int kind, int index, intptr_t* out) {
    return m_library.CallTaskEntry(kCmdGetInfo, type | kInfoWideAnswer, kind, index, reinterpret_cast<int32_t*>(out));
  }

  FakeTaskHost m_host;
  CTaskLibrary m_library;
};

TEST_P(PluginTables, DefaultModelTaskIsTheRecords) {
  const QelModelTask* exported = static_cast<const QelModelTask*>(dlsym(m_library.module, kModelDefaultName));
  ASSERT_NE(exported, nullptr);
  const QelModelTask* d = m_library.modelDefault;
  EXPECT_EQ(d, exported) << "the record holds the exported g_ModelDefault";
  EXPECT_GT(d->TaskId, 0u);
  EXPECT_TRUE(Present(d->TaskIdStr));
  EXPECT_TRUE(Present(d->TaskName));
  EXPECT_EQ(Lower(GetParam()), Lower("Qel" + m_library.GetShortCode() + ".qet")) << "file named by its short code";
  EXPECT_LE(d->w.TaskType & 0xFFFF, 2u);
  EXPECT_EQ(m_library.defaultTaskType, d->w.TaskType);
  EXPECT_EQ(m_library.defaultTaskFlags, d->w.TaskFlags);
  EXPECT_EQ(m_library.defaultIntrAfterTrials, d->w.TaskIntrAfterTrials);
  EXPECT_EQ(m_library.defaultIntrContinue, d->w.TaskIntrContinue);
  EXPECT_EQ(m_library.defaultIntrReplaceTrial, d->w.TaskIntrReplaceTrial);
  EXPECT_EQ(m_library.defaultIntrDummyTrials, d->w.TaskIntrDummyTrials);
  EXPECT_GE(d->w.TaskVersion, 1u);
  EXPECT_LE(d->w.TaskVersion, static_cast<uint32_t>(m_library.versionCount));
  for (int p = m_library.partCount; p < kMaxParts; ++p) {
    EXPECT_EQ(d->TaskPartTrials[p], 0u) << "part " << p + 1 << " the task does not have";
  }
  intptr_t answer = 0;
  ASSERT_TRUE(Info(1, 0, 0, &answer));
  EXPECT_EQ(reinterpret_cast<const QelModelTask*>(answer), d);
}

TEST_P(PluginTables, VersionAndPartNamesForEveryCount) {
  ASSERT_GE(m_library.versionCount, 1);
  ASSERT_GE(m_library.partCount, 1);
  ASSERT_LE(m_library.partCount, kMaxParts);
  intptr_t answer = 0;
  ASSERT_TRUE(Info(3, 0, 0, &answer));
  EXPECT_EQ(answer, m_library.versionCount);
  ASSERT_TRUE(Info(4, 0, 0, &answer));
  EXPECT_EQ(answer, m_library.partCount);
  for (int i = 1; i <= m_library.versionCount; ++i) {
    ASSERT_TRUE(Info(3, 1, i, &answer)) << "version " << i;
    EXPECT_EQ(reinterpret_cast<const char*>(answer), m_library.versionNames[i - 1]);
    EXPECT_TRUE(Present(m_library.versionNames[i - 1])) << "version " << i;
  }
  EXPECT_FALSE(Info(3, 1, m_library.versionCount + 1, &answer));
  for (int i = 1; i <= m_library.partCount; ++i) {
    ASSERT_TRUE(Info(4, 1, i, &answer)) << "part " << i;
    EXPECT_TRUE(Present(m_library.partNames[i - 1])) << "part " << i;
  }
  EXPECT_FALSE(Info(4, 1, m_library.partCount + 1, &answer));
}

TEST_P(PluginTables, VariableRowsWhole) {
  const uint32_t count = m_library.scoreVariableCount;
  ASSERT_GE(count, 1u);
  ASSERT_LE(count, static_cast<uint32_t>(kMaxVariables));
  intptr_t answer = 0;
  ASSERT_TRUE(Info(6, 0, 0, &answer));
  EXPECT_EQ(answer, static_cast<intptr_t>(count));
  EXPECT_FALSE(Info(6, 1, static_cast<int>(count), &answer)) << "no row after the last";
  const int columns = std::max(m_library.captionCount, m_library.captionCount2);
  std::set<std::string> codes;
  for (uint32_t i = 0; i < count; ++i) {
    const TaskVariableDef& row = m_library.scoreVariables[i];
    SCOPED_TRACE("row " + std::to_string(i) + " " + (row.code ? row.code : "(null)"));
    ASSERT_TRUE(Present(row.code));
    EXPECT_TRUE(codes.insert(row.code).second) << "code used twice";
    EXPECT_TRUE(IsNumberFormat(row.format)) << (row.format ? row.format : "(null)");
    EXPECT_TRUE(Present(row.description));
    EXPECT_GE(row.part, 0);
    EXPECT_LE(row.part, m_library.partCount);
    EXPECT_LE(row.GetColumn(true, false), columns) << "a column of the caption tables";
    ASSERT_TRUE(Info(6, 1, static_cast<int>(i), &answer));
    EXPECT_EQ(reinterpret_cast<const char*>(answer), row.code);
  }
}

TEST_P(PluginTables, NormRowsPointIntoTheVariableTable) {
  const uint32_t variables = m_library.scoreVariableCount;
  ASSERT_LE(m_library.normVariableCount, variables);
  std::set<int32_t> ids;
  for (uint32_t n = 0; n < m_library.normVariableCount; ++n) {
    const TaskNormVariable& row = m_library.normVariables[n];
    SCOPED_TRACE("norm row " + std::to_string(n) + " " + (row.name ? row.name : "(combined)"));
    ASSERT_GE(row.id, 0);
    ASSERT_LT(static_cast<uint32_t>(row.id), variables);
    ASSERT_GE(row.source, 0);
    ASSERT_LT(static_cast<uint32_t>(row.source), variables);
    EXPECT_TRUE(ids.insert(row.id).second) << "one norm row per Z row";
    EXPECT_EQ(m_library.scoreVariables[row.id].code[0], 'Z') << "the id is a Z row";
    EXPECT_NE(m_library.scoreVariables[row.source].code[0], 'Z') << "the source is a raw row";
    EXPECT_NE(row.id, row.source);
    EXPECT_TRUE(Present(row.unit));
    if (row.name) {
      // The norms database may spell the code's letters in another case
      // (VisuoSpatial Sequencing's "ZTint_vs" for the row "Ztint_vs").
      EXPECT_STRCASEEQ(row.name, m_library.scoreVariables[row.id].code) << "norms are found by the Z row's code";
    } else {
      EXPECT_NE(row.getter, nullptr) << "a row without a name combines through its getter";
    }
  }
}

TEST_P(PluginTables, CaptionsAndTaskText) {
  ASSERT_GE(m_library.captionCount, 1);
  for (int i = 0; i < m_library.captionCount; ++i) EXPECT_TRUE(Present(m_library.captions[i])) << i;
  for (int i = 0; i < m_library.captionCount2; ++i) EXPECT_TRUE(Present(m_library.captions2[i])) << i;
  EXPECT_FALSE(m_library.texts[0].empty()) << "a task instruction in English";
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, PluginTables, testing::ValuesIn(ProgramPlugins()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

// Across the plug-ins: short codes and task numbers are unique, and the
// program folder holds the plug-ins built with it.
TEST(ProgramFolder, ShortCodesAndTaskNumbersUnique) {
  const std::vector<std::string> files = ProgramPlugins();
  for (const char* expected : {"QelMSL.qet", "QelFA4L.qet", "QelMSO1.qet"}) {
    EXPECT_NE(std::find(files.begin(), files.end(), expected), files.end()) << expected;
  }
  std::set<std::string> codes;
  std::set<uint32_t> numbers;
  for (const std::string& file : files) {
    FakeTaskHost host;
    CTaskLibrary library;
    library.host = &host;
    ASSERT_TRUE(library.Load((std::string(QEL_OUTPUT_DIR) + "/" + file).c_str(), false)) << file;
    EXPECT_TRUE(codes.insert(library.GetShortCode()).second) << file << ": short code used twice";
    EXPECT_TRUE(numbers.insert(library.modelDefault->TaskId).second) << file << ": task number used twice";
    library.Unload();
  }
}

}  // namespace

}  // namespace qel
