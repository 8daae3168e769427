// The rules of the testee and testee code dialogs that need no window: what
// a new, an edited and a viewed record may change, when a record is
// complete, the captions, the questions on closing, and the comment files.
// The dialogs validate and collect; the caller writes the record through
// the project object after OK.
//
// Threads: the user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

#include "project/TesteeInfo.h"

namespace qel {

enum class RecordMode { kNew, kEdit, kView };

// Comment files hold at most this many bytes.
constexpr uint64_t kMaxCommentFileBytes = 16383;
constexpr const char* kEmptyFieldsMessage = "Empty fields must be filled!";
constexpr const char* kNotCompletedSuffix = " - NOT COMPLETED!";

// Blanks, tabs and line ends cut from both ends.
std::string TrimText(const std::string& text);

// Reads a comment file whole and trimmed into comment. False, with the
// operator's message in error ("File \"%s\" too large (max=%u bytes)!" or
// the file layer's own text), and comment unchanged, when it cannot be used.
bool ReadCommentFile(const std::string& path, std::string* comment, std::string* error);
// Creates (truncates) the file and writes the comment's characters without
// a terminator; false with the file layer's message in error.
bool WriteCommentFile(const std::string& path, const std::string& comment, std::string* error);

// "New ", "Edit " or "View " before the title.
std::string ModeCaption(RecordMode mode, const char* title);

// ---- Testee ------------------------------------------------------------------------

// The handedness entries the dialog offers: one fewer than the table holds
// ("R", "L"; "A" is shown by the lists but not offered).
constexpr int kOfferedHandednessCount = 2;
constexpr int kSexCount = 2;
constexpr const char* kTesteeCommentPrefix = "TesteeComment_";

// A new testee's starting record: code "Default", no birth date, no
// preference and no sex chosen (-1).
CTesteeInfo NewTesteeRecord();

// Which controls a testee dialog lets the operator use.
struct CTesteeFormAccess {
  bool id = false;       // Id, first name and surname editable
  bool code = false;     // the codes list and the sex combo enabled
  bool date = false;     // birth date and preference enabled
  bool comment = false;  // comment editable
  bool commentFiles = false;  // the two comment-file buttons shown
  bool notice = false;        // "After saving Testee information, ..." shown
  bool changes = false;       // "Changes" shown
};

class CTesteeForm {
 public:
  CTesteeForm(RecordMode mode, const CTesteeInfo& info);

  RecordMode Mode() const { return m_mode; }
  const CTesteeInfo& Info() const { return m_info; }
  CTesteeInfo& Edit() { return m_info; }  // the controls' values go here
  bool IsModified() const { return m_modified; }
  void SetModified() { m_modified = true; }

  // What may be used; codesAvailable: the project has testee codes (without
  // them nothing is editable).
  CTesteeFormAccess Access(bool codesAvailable) const;
  // Id, a code with a selected row, names, preference, sex and a valid birth date.
  bool IsComplete(bool codeRowSelected) const;
  std::string Caption(bool complete) const;
  bool SaveShown() const { return m_mode != RecordMode::kView && m_modified; }
  bool PutCommentEnabled() const { return !m_info.m_testee.empty() && !m_info.m_comment.empty(); }
  std::string DefaultCommentFile() const { return kTesteeCommentPrefix + m_info.m_testee; }
  // The texts trimmed, as "Save" does before checking.
  void TrimTexts();
  // "Apply changes of the testee \"%s\" data?" or "Complete changes ...".
  std::string CloseQuestion(bool complete) const;

 private:
  RecordMode m_mode;
  CTesteeInfo m_info;
  bool m_modified = false;
};

// What an edit changed in a stored testee: anything at all (an audited
// project then keeps the row as it stood), and the birth date or the
// preference in particular (score sets may then be outdated).
struct CTesteeEdit {
  bool changed = false;
  bool datesChanged = false;
};
CTesteeEdit CompareTesteeEdit(const CTesteeInfo& before, const CTesteeInfo& after);

// ---- Testee code -------------------------------------------------------------------

constexpr const char* kTesteeCodeCommentPrefix = "TesteeCodeComment_";

class CTesteeCodeForm {
 public:
  CTesteeCodeForm(RecordMode mode, const CTesteeCodeInfo& info);

  RecordMode Mode() const { return m_mode; }
  const CTesteeCodeInfo& Info() const { return m_info; }
  CTesteeCodeInfo& Edit() { return m_info; }  // code, label (the description) and comment
  bool IsModified() const { return m_modified; }
  void SetModified() { m_modified = true; }

  // Code, label and comment are editable, and the comment files offered,
  // only for a new code.
  bool Editable() const { return m_mode == RecordMode::kNew; }
  bool IsComplete() const { return !m_info.m_code.empty(); }
  std::string Caption() const;
  bool SaveShown() const { return m_mode != RecordMode::kView && m_modified; }
  bool PutCommentEnabled() const { return !m_info.m_code.empty() && !m_info.m_comment.empty(); }
  std::string DefaultCommentFile() const { return kTesteeCodeCommentPrefix + m_info.m_code; }
  void TrimTexts();
  std::string CloseQuestion() const;

 private:
  RecordMode m_mode;
  CTesteeCodeInfo m_info;
  bool m_modified = false;
};

}  // namespace qel
