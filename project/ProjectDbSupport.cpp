#include "project/ProjectDbSupport.h"

#include <algorithm>

#include "common/Prompt.h"

namespace qel::projectdb {

namespace {

constexpr char kCaption[] = "Qel";

}  // namespace

void ShowStop(const std::string& text) { ShowPrompt(text, kCaption, kPromptOk | kPromptIconStop); }

DbFilter AssessmentFilter(const char* assessmentColumn, const std::string& testee, const std::string& model,
                          const std::string& code, uint32_t assessment) {
  DbFilter filter;
  filter.Equal("Testee", DbValue(testee))
      .Equal("Model", DbValue(model))
      .Equal("Task", DbValue(code))
      .Equal(assessmentColumn, DbValue(assessment));
  return filter;
}

DbFilter PartFilter(const char* assessmentColumn, const std::string& testee, const std::string& model,
                    const std::string& code, uint32_t assessment, uint32_t part, uint32_t serial) {
  DbFilter filter = AssessmentFilter(assessmentColumn, testee, model, code, assessment);
  filter.Equal("PartNo", DbValue(part)).Equal("SerNo", DbValue(serial));
  return filter;
}

void PackResponses(DbBytes& column, const int32_t* values, int n) {
  column.clear();
  ByteArrayFromDWords(column, values, n);
}

void UnpackResponses(const DbBytes& column, int32_t* part, int at, int n) {
  const int copied = DWordsFromByteArray(column, part + at, n);
  std::fill(part + at + copied, part + at + n, 0);
}

}  // namespace qel::projectdb
