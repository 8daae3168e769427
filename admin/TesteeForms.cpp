#include "admin/TesteeForms.h"

#include <sys/stat.h>

#include <cstdio>

#include "app/text/TextFile.h"

namespace qel {

namespace {

constexpr const char* kBlanks = " \t\r\n\v\f";

std::string Printf(const char* format, const std::string& text) {
  const int n = std::snprintf(nullptr, 0, format, text.c_str());
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  std::snprintf(out.data(), out.size() + 1, format, text.c_str());
  return out;
}

}  // namespace

std::string TrimText(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

bool ReadCommentFile(const std::string& path, std::string* comment, std::string* error) {
  error->clear();
  CTextFile file;
  if (!file.Open(path, CTextFile::kRead)) {
    *error = file.GetMessage();
    return false;
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || static_cast<uint64_t>(info.st_size) > kMaxCommentFileBytes) {
    char text[600];
    std::snprintf(text, sizeof text, "File \"%s\" too large (max=%u bytes)!", path.c_str(),
                  static_cast<unsigned>(kMaxCommentFileBytes));
    *error = text;
    return false;
  }
  std::string whole;
  if (!file.ReadWholeFile(&whole)) {
    *error = file.GetMessage();
    return false;
  }
  *comment = TrimText(whole);
  return true;
}

bool WriteCommentFile(const std::string& path, const std::string& comment, std::string* error) {
  error->clear();
  CTextFile file;
  if (!file.Open(path, CTextFile::kCreateWrite)) {
    *error = file.GetMessage();
    return false;
  }
  const bool ok = file.WriteString(comment) == comment.size();
  if (!ok) *error = file.GetMessage();
  file.Close();
  return ok;
}

std::string ModeCaption(RecordMode mode, const char* title) {
  const char* lead = mode == RecordMode::kNew ? "New " : mode == RecordMode::kView ? "View " : "Edit ";
  return std::string(lead) + title;
}

// ---- Testee ------------------------------------------------------------------------

CTesteeInfo NewTesteeRecord() {
  CTesteeInfo t;
  t.m_code = "Default";
  t.m_preference = -1;
  t.m_sex = -1;
  return t;
}

CTesteeForm::CTesteeForm(RecordMode mode, const CTesteeInfo& info) : m_mode(mode), m_info(info) {}

CTesteeFormAccess CTesteeForm::Access(bool codesAvailable) const {
  CTesteeFormAccess a;
  const bool isNew = m_mode == RecordMode::kNew;
  const bool view = m_mode == RecordMode::kView;
  a.id = isNew && codesAvailable;
  a.code = isNew && codesAvailable;
  a.date = !view && codesAvailable;
  a.comment = !view && codesAvailable;
  a.commentFiles = !view;
  a.notice = isNew;
  a.changes = view;
  return a;
}

bool CTesteeForm::IsComplete(bool codeRowSelected) const {
  return !m_info.m_testee.empty() && !m_info.m_code.empty() && codeRowSelected && !m_info.m_firstName.empty() &&
         !m_info.m_surname.empty() && m_info.m_preference != -1 && m_info.m_sex != -1 && m_info.m_dateBirth.IsValid();
}

std::string CTesteeForm::Caption(bool complete) const {
  std::string caption = ModeCaption(m_mode, "Testee data");
  if (m_modified && !complete) caption += kNotCompletedSuffix;
  return caption;
}

void CTesteeForm::TrimTexts() {
  m_info.m_testee = TrimText(m_info.m_testee);
  m_info.m_code = TrimText(m_info.m_code);
  m_info.m_firstName = TrimText(m_info.m_firstName);
  m_info.m_surname = TrimText(m_info.m_surname);
  m_info.m_comment = TrimText(m_info.m_comment);
}

std::string CTesteeForm::CloseQuestion(bool complete) const {
  return Printf(complete ? "Apply changes of the testee \"%s\" data?" : "Complete changes of the testee \"%s\" data?",
                m_info.m_testee);
}

// ---- Testee code -------------------------------------------------------------------

CTesteeCodeForm::CTesteeCodeForm(RecordMode mode, const CTesteeCodeInfo& info) : m_mode(mode), m_info(info) {}

std::string CTesteeCodeForm::Caption() const {
  std::string caption = ModeCaption(m_mode, "Testee code data");
  if (m_modified && !IsComplete()) caption += kNotCompletedSuffix;
  return caption;
}

void CTesteeCodeForm::TrimTexts() {
  m_info.m_code = TrimText(m_info.m_code);
  m_info.m_description = TrimText(m_info.m_description);
  m_info.m_comment = TrimText(m_info.m_comment);
}

std::string CTesteeCodeForm::CloseQuestion() const {
  return Printf(IsComplete() ? "Apply changes of the testee code \"%s\" data?"
                             : "Complete changes of the testee code \"%s\" data?",
                m_info.m_code);
}

namespace {

bool SameDate(const QelDateTime& a, const QelDateTime& b) {
  return a.status == b.status && (!a.IsValid() || a.value == b.value);
}

}  // namespace

CTesteeEdit CompareTesteeEdit(const CTesteeInfo& before, const CTesteeInfo& after) {
  CTesteeEdit edit;
  edit.datesChanged = !SameDate(before.m_dateBirth, after.m_dateBirth) || before.m_preference != after.m_preference;
  edit.changed = edit.datesChanged || before.m_testee != after.m_testee || before.m_code != after.m_code ||
                 before.m_firstName != after.m_firstName || before.m_surname != after.m_surname ||
                 before.m_sex != after.m_sex || before.m_comment != after.m_comment;
  return edit;
}

}  // namespace qel
