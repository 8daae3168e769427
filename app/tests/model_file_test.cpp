// The model file's bytes: written and read against hand-built byte arrays.
#include <gtest/gtest.h>

#include <memory>

#include "app/model/ExpModel.h"
#include "app/modelfile/ModelFile.h"
#include "app/tests/ModelBytes.h"

namespace qel {

namespace {

const char kCreation[] = "12/10/2026 09:30:00";

std::unique_ptr<CExpModel> NewModel() {
  auto m = std::make_unique<CExpModel>();
  m->m_header.m_creation = kCreation;
  return m;
}

CExpModelTask Task(uint32_t id, const std::string& code, const std::string& name, uint32_t base) {
  CExpModelTask t;
  t.TaskId = id;
  t.TaskIdStr = code;
  t.TaskName = name;
  for (int k = 0; k < 18; ++k) t.w.data()[k] = base + k;
  for (int k = 0; k < 16; ++k) t.TaskPartTrials[k] = 10 + k;
  for (int k = 0; k < 32; ++k) t.TaskParam[k] = 1000 + k;
  return t;
}

bool Read(const Bytes& bytes, CExpModel* m, std::string* error = nullptr, uint32_t* format = nullptr) {
  std::string e;
  const bool ok = ReadModelBytes(bytes.data(), bytes.size(), m, format, &e);
  if (error) *error = e;
  return ok;
}

TEST(ModelFileBytes, AnEmptyModelIsTheHeaderOnly) {
  auto m = NewModel();
  const Bytes expected = {
      0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'Q',  'e',  'l',  'D',  'o', 'c',  // class tag
      0x01, 0x00, 0x00, 0x00,                                                     // document format
      0x04, 0x00, 0x00, 0x00,                                                     // model version
      10,   'A',  'p',  'r',  'i',  'l',  ' ', '2',  '0',  '1',  '0',             // release
      19,   '1',  '2',  '/',  '1',  '0',  '/', '2',  '0',  '2',  '6',  ' ', '0',
      '9',  ':',  '3',  '0',  ':',  '0',  '0', 0x00, 0x00, 0x00, 0x00,  // task count
  };
  Bytes full = expected;
  full.insert(full.end(), 64, 0);
  const Bytes written = WriteModelBytes(*m);
  EXPECT_EQ(written, full);
  EXPECT_EQ(written.size(), 13u + 4 + 4 + (1 + 10) + (1 + sizeof kCreation - 1) + 4 + 64);
}

TEST(ModelFileBytes, ATappingRecordIs279Bytes) {
  auto m = NewModel();
  m->AddTask(Task(35, "TP", "Tapping", 1));
  const Bytes head = ModelHead(kCreation, 1);
  const Bytes written = WriteModelBytes(*m);
  ASSERT_EQ(written.size(), head.size() + 279);
  Bytes record(written.begin() + static_cast<long>(head.size()), written.end());
  const Bytes recordStart = {35, 0, 0, 0, 2, 'T', 'P', 7, 'T', 'a', 'p', 'p', 'i', 'n', 'g', 1, 0, 0, 0, 2, 0, 0, 0};
  EXPECT_EQ(Bytes(record.begin(), record.begin() + static_cast<long>(recordStart.size())), recordStart);
  EXPECT_EQ(written, Join({head, TaskRecord(35, "TP", "Tapping", 1)}));
}

TEST(ModelFileBytes, ReadingThenWritingGivesTheSameBytes) {
  const Bytes file = Join({ModelHead("a creation text", 2, 0xA5), TaskRecord(35, "TP", "Tapping", 0x01020304),
                           TaskRecord(30, "PR", "Prosody", 0xFFFFFFF0)});
  auto m = NewModel();
  uint32_t format = 0;
  ASSERT_TRUE(Read(file, m.get(), nullptr, &format));
  EXPECT_EQ(format, 1u);
  EXPECT_EQ(m->GetTaskCount(), 2);
  EXPECT_EQ(m->m_header.m_creation, "a creation text");
  EXPECT_EQ(m->m_header.m_reserved[63], 0xA5);
  EXPECT_EQ(m->m_tasks[1].TaskIdStr, "PR");
  EXPECT_EQ(m->m_tasks[1].w.TaskIntHigh, 0xFFFFFFF0u + 17);  // whole words, wrapped as stored
  EXPECT_EQ(m->m_tasks[0].TaskParam[31], 1031u);
  EXPECT_EQ(WriteModelBytes(*m), file);
}

TEST(ModelFileBytes, AnySchemaAndAnyFormatWordAreRead) {
  Bytes file = Join({ModelHead("x", 1, 0, 2), TaskRecord(35, "TP", "Tapping", 1)});
  file[13] = 7;  // document format word
  file[17] = 3;  // model version
  auto m = NewModel();
  uint32_t format = 0;
  ASSERT_TRUE(Read(file, m.get(), nullptr, &format));
  EXPECT_EQ(format, 7u);
  EXPECT_EQ(m->m_header.m_version, 3u);
  // Written back with schema 1 and format word 1, the version as read.
  const Bytes again = WriteModelBytes(*m);
  EXPECT_EQ(again[2], 1);
  EXPECT_EQ(again[13], 1);
  EXPECT_EQ(again[17], 3);
}

TEST(ModelFileBytes, ReadingLeavesEveryTaskUnboundAtPartZeroAssessmentOne) {
  auto m = NewModel();
  CExpModelTask t = Task(1, "OLD", "old", 0);
  t.currentPart = 2;
  t.currentAssessment = 5;
  t.trialCounts[0] = 9;
  t.library = reinterpret_cast<ITaskLibrary*>(0x1000);
  m->AddTask(t);
  m->m_name = "before";
  ASSERT_TRUE(Read(Join({ModelHead("c", 1), TaskRecord(35, "TP", "Tapping", 1)}), m.get()));
  const CExpModelTask& r = m->m_tasks[0];
  EXPECT_EQ(r.currentPart, 0);
  EXPECT_EQ(r.currentAssessment, 1u);
  EXPECT_EQ(r.trialCounts[0], 0u);
  EXPECT_EQ(r.library, nullptr);
  EXPECT_EQ(r.loaded, 1);
  EXPECT_EQ(r.modified, 0);
  EXPECT_EQ(m->m_loaded, 1);
  EXPECT_EQ(m->m_name, "");  // the name comes from the file's path
}

struct LengthCase {
  size_t length;
  Bytes prefix;
};

class CountedStringForms : public ::testing::TestWithParam<LengthCase> {};

TEST_P(CountedStringForms, LongTextsSurviveWholeWithTheirPrefix) {
  const LengthCase& c = GetParam();
  const std::string name(c.length, 'n');
  const std::string code(c.length / 2 + 16, 'c');
  auto m = NewModel();
  m->AddTask(Task(35, code, name, 1));
  const Bytes written = WriteModelBytes(*m);
  const size_t head = ModelHead(kCreation, 1).size();
  const size_t codeSize = code.size() < 255 ? 1 : (code.size() < 0xFFFE ? 3 : 7);
  const size_t at = head + 4 + codeSize + code.size();
  ASSERT_GT(written.size(), at + c.prefix.size());
  EXPECT_EQ(Bytes(written.begin() + static_cast<long>(at), written.begin() + static_cast<long>(at + c.prefix.size())),
            c.prefix);
  EXPECT_EQ(written.size(), at + c.prefix.size() + c.length + 264);
  auto r = NewModel();
  ASSERT_TRUE(Read(written, r.get()));
  EXPECT_EQ(r->m_tasks[0].TaskName, name);
  EXPECT_EQ(r->m_tasks[0].TaskIdStr, code);
  EXPECT_EQ(WriteModelBytes(*r), written);
}

INSTANTIATE_TEST_SUITE_P(Lengths, CountedStringForms,
                         ::testing::Values(LengthCase{64, {64}}, LengthCase{254, {0xFE}},
                                           LengthCase{255, {0xFF, 0xFF, 0x00}}, LengthCase{0xFFFD, {0xFF, 0xFD, 0xFF}},
                                           LengthCase{0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                                           LengthCase{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}));

TEST(ModelFileBytes, WideTextsAreReadAsUtf8) {
  Bytes file = ClassTag();
  AppendLE32(file, 1);
  AppendLE32(file, 4);
  // Release: wide form, one-byte length 4: "A", e acute, U+1F600 as a surrogate pair.
  Put(file, {0xFF, 0xFE, 0xFF, 4, 'A', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE});
  // Creation: wide form with a 16-bit length of 300.
  Put(file, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
  for (int i = 0; i < 300; ++i) Put(file, {'z', 0});
  AppendLE32(file, 0);
  file.insert(file.end(), 64, 0);
  auto m = NewModel();
  std::string error;
  ASSERT_TRUE(Read(file, m.get(), &error)) << error;
  EXPECT_EQ(m->m_header.m_release, "A\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(m->m_header.m_creation, std::string(300, 'z'));
  // Written back in the byte form.
  const Bytes again = WriteModelBytes(*m);
  EXPECT_EQ(again[21], 7);
}

struct BadCase {
  const char* name;
  Bytes bytes;
  const char* errorPart;
};

Bytes WithCount(uint32_t count) {
  Bytes b = ModelHead("c", 0);
  const size_t at = b.size() - 64 - 4;
  WriteLE32(b.data() + at, count);
  for (uint32_t i = 0; i < 41; ++i) {
    const Bytes r = TaskRecord(i, "T", "t", 0);
    b.insert(b.end(), r.begin(), r.end());
  }
  return b;
}

std::vector<BadCase> BadCases() {
  Bytes hugeText = ClassTag();
  AppendLE32(hugeText, 1);
  AppendLE32(hugeText, 4);
  Put(hugeText, {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});  // 32-bit length far past the end
  Bytes huge64 = ClassTag();
  AppendLE32(huge64, 1);
  AppendLE32(huge64, 4);
  Put(huge64, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0});  // 64-bit length 2^32
  Bytes hugeWide = ClassTag();
  AppendLE32(hugeWide, 1);
  AppendLE32(hugeWide, 4);
  Put(hugeWide, {0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x80, 'a', 0});
  Bytes shortName = ClassTag();
  AppendLE32(shortName, 1);
  AppendLE32(shortName, 4);
  Put(shortName, {5, 'A', 'p'});
  Bytes className = ClassTag();
  className[2] = 1;
  className[4] = 0xFF;  // a class name longer than the file
  return {
      {"Empty", {}, "ends early"},
      {"OtherClass", Join({ClassTag(1, "CQelDox"), ModelHead("c", 0)}), "CQelDox"},
      {"OtherClassLength", Join({ClassTag(1, "CQelDocument"), ModelHead("c", 0)}), "CQelDocument"},
      {"NoNewClassTag", Bytes{0x01, 0x80, 0x01, 0x00}, "class tag"},
      {"ClassNamePastTheEnd", className, "ends early"},
      {"FortyOneTasks", WithCount(41), "41"},
      {"NegativeCount", WithCount(0xFFFFFFFF), "-1"},
      {"LengthPastTheEnd", hugeText, "past the end"},
      {"SixtyFourBitLength", huge64, "past the end"},
      {"WideLengthPastTheEnd", hugeWide, "past the end"},
      {"TextCutShort", shortName, "past the end"},
  };
}

class BadModelFiles : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadModelFiles, AreRefusedWithAnEmptyModel) {
  const BadCase& c = GetParam();
  auto m = NewModel();
  m->AddTask(Task(1, "A", "a", 0));
  m->m_name = "kept?";
  std::string error;
  EXPECT_FALSE(Read(c.bytes, m.get(), &error));
  EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
  EXPECT_EQ(m->GetTaskCount(), 0);
  EXPECT_EQ(m->m_name, "");
  EXPECT_TRUE(m->m_tasks[0].TaskIdStr.empty());
  EXPECT_EQ(m->m_loaded, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadModelFiles, ::testing::ValuesIn(BadCases()),
                         [](const ::testing::TestParamInfo<BadCase>& info) { return info.param.name; });

TEST(ModelFileBytes, EveryTruncationIsRefused) {
  const Bytes file = Join({ModelHead("c", 2), TaskRecord(35, "TP", "Tapping", 1), TaskRecord(30, "PR", "Prosody", 2)});
  auto m = NewModel();
  for (size_t size = 0; size < file.size(); ++size) {
    const Bytes cut(file.begin(), file.begin() + static_cast<long>(size));
    std::string error;
    ASSERT_FALSE(Read(cut, m.get(), &error)) << size;
    ASSERT_FALSE(error.empty());
    ASSERT_EQ(m->GetTaskCount(), 0);
  }
  EXPECT_TRUE(Read(file, m.get()));
}

TEST(ModelFileBytes, FortyTasksAreRead) {
  Bytes file = ModelHead("c", 40);
  for (uint32_t i = 0; i < 40; ++i) {
    const Bytes r = TaskRecord(i, "T" + std::to_string(i), "t", i);
    file.insert(file.end(), r.begin(), r.end());
  }
  auto m = NewModel();
  ASSERT_TRUE(Read(file, m.get()));
  EXPECT_EQ(m->GetTaskCount(), 40);
  EXPECT_EQ(m->m_tasks[39].TaskIdStr, "T39");
  EXPECT_EQ(WriteModelBytes(*m), file);
}

struct TitleCase {
  const char* path;
  const char* title;
};

class ModelTitles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ModelTitles, FileNameWithoutFolderAndExtension) {
  EXPECT_EQ(ModelTitleFromPath(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Cases, ModelTitles,
                         ::testing::Values(TitleCase{"/home/x/Attention battery.qem", "Attention battery"},
                                           TitleCase{"model.v2.qem", "model.v2"}, TitleCase{"noext", "noext"},
                                           TitleCase{"/a.b/model", "model"}, TitleCase{"", ""}));

}  // namespace

}  // namespace qel
