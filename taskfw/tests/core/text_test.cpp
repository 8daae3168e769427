// Texts of the plug-in's own resources, by the host's language.
#include <gtest/gtest.h>

#include "include/qel/Resources.h"
#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

struct LanguageCase {
  int language;
  const char* task;
  const char* parameters;
};

class TextsByLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(TextsByLanguage, PublishedAtCommandZero) {
  BoundTask b;
  b.host.language = GetParam().language;
  ASSERT_TRUE(b.task.Init(&b.record));
  EXPECT_EQ(b.record.texts[kTextTask], GetParam().task);
  EXPECT_EQ(b.record.texts[kTextPart], "{\\rtf1 Task has no parts!}") << "the same part text in every language";
  EXPECT_EQ(b.record.texts[kTextParameters], GetParam().parameters);
  EXPECT_EQ(b.record.texts[kTextFeedback], "");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, TextsByLanguage,
    ::testing::Values(LanguageCase{0, "{\\rtf1 English task instruction}", "{\\rtf1 English parameters help}"},
                      LanguageCase{1, "{\\rtf1 English task instruction}", "{\\rtf1 English parameters help}"},
                      LanguageCase{2, "{\\rtf1 Nederlandse taakinstructie}", "{\\rtf1 Nederlandse parameterhulp}"},
                      LanguageCase{3, "{\\rtf1 Istruzioni del compito}", "{\\rtf1 Aiuto dei parametri}"},
                      LanguageCase{4, "{\\rtf1 English task instruction}", "{\\rtf1 English parameters help}"},
                      LanguageCase{-1, "{\\rtf1 English task instruction}", "{\\rtf1 English parameters help}"}));

TEST(TextResource, CutAtTheFirstNul) {
  BoundTask b;
  ASSERT_TRUE(b.task.Init(&b.record));
  const std::string text = b.task.LoadTextResource(101);
  EXPECT_EQ(text, "{\\rtf1 English task instruction}");
  EXPECT_EQ(text.find('\0'), std::string::npos);
  EXPECT_EQ(b.task.LoadTextResource(103), "{\\rtf1 English parameters help}") << "padding is dropped";
}

TEST(TextResource, MissingOrUnboundGivesEmpty) {
  BoundTask b;
  EXPECT_EQ(b.task.LoadTextResource(101), "") << "no record bound";
  ASSERT_TRUE(b.task.Init(&b.record));
  EXPECT_EQ(b.task.LoadTextResource(999), "");
  EXPECT_EQ(b.task.LoadTextResource(201), "") << "a picture is not a text";
}

TEST(TextResource, TakenFromTheRecordsModuleAndRestored) {
  // Another module's table with the same id.
  static const unsigned char other[] = "other module's text";
  static const QelResource entries[] = {{"TEXT", 101, other, sizeof other}};
  static const QelResourceTable table{entries, 1};
  static const QelResource unrelated[] = {{"TEXT", 5, other, sizeof other}};
  static const QelResourceTable current{unrelated, 1};

  BoundTask b;
  ASSERT_TRUE(b.task.Init(&b.record));
  b.record.resources = &table;
  QelScopedResourceModule scope(&current);
  EXPECT_EQ(b.task.LoadTextResource(101), "other module's text");
  EXPECT_EQ(QelGetResourceModule(), &current);
  b.record.resources = nullptr;
  EXPECT_EQ(b.task.LoadTextResource(101), "") << "without a module the current one is asked";
  EXPECT_EQ(b.task.LoadTextResource(5), "other module's text");
}

TEST(TextLanguage, IdsByLanguage) {
  BoundTask b;
  ASSERT_TRUE(b.task.Init(&b.record));
  const int languages[] = {0, 1, 2, 3, 9};
  const uint32_t expected[] = {10, 10, 20, 30, 10};
  for (int i = 0; i < 5; ++i) {
    b.host.language = languages[i];
    EXPECT_EQ(b.task.TextIdForLanguage(10, 20, 30), expected[i]);
  }
  CoreTask unbound;
  EXPECT_EQ(unbound.TextLanguage(), 0);
}

}  // namespace

}  // namespace qel
