#include "ui/TesteesPageRules.h"

namespace qel {

namespace {

constexpr int kFlagUsers = 1;
constexpr int kFlagTestees = 2;
constexpr int kFlagTesteeCodes = 4;

std::string CountedCaption(const char* base, bool open, int count) {
  std::string text(base);
  if (open) text += " (total " + std::to_string(count) + ")";
  return text;
}

PageWriteNotice WrittenNotice(int flags, bool usersAdded) {
  PageWriteNotice notice;
  notice.viewFlags = flags | (usersAdded ? kFlagUsers : 0);
  notice.treeUsers = usersAdded;
  return notice;
}

}  // namespace

std::string TesteeCodesCaption(bool open, int count) { return CountedCaption("Testee codes in project", open, count); }

std::string TesteesCaption(bool open, int count) { return CountedCaption("Testees in project", open, count); }

TesteesPageControls TesteesPageRules(const TesteesPageState& s) {
  TesteesPageControls c;
  const bool mayAct = s.loggedIn || !s.cfrMode;
  const bool ok = mayAct && !s.running && s.open;
  const bool withHistory = ok && s.cfrMode && s.cfrProject;

  c.codeNew.enabled = ok && s.ready;
  c.codeEdit.enabled = ok && s.ready && s.hasCode;
  c.codeDelete.shown = c.codeDelete.enabled = ok && s.hasCode && s.mayDelete;

  c.history.shown = withHistory;
  c.history.enabled = withHistory && s.anyChanges;
  c.changes.shown = withHistory;
  c.changes.enabled = withHistory && s.hasTestee && s.testeeChanges;

  c.testeeNew.enabled = ok && s.ready;
  c.testeeEdit.enabled = ok && s.ready && s.hasTestee;
  c.filterTree.enabled = ok && s.hasTestee;
  c.search.enabled = ok && s.testeeCount > 0;
  c.testeeDelete.shown = c.testeeDelete.enabled = ok && s.hasTestee && s.mayDelete;

  c.codeListEnabled = ok && s.codeCount > 0;
  c.testeeListEnabled = ok && s.testeeCount > 0;
  c.codeCaption = TesteeCodesCaption(s.open, s.codeCount);
  c.testeeCaption = TesteesCaption(s.open, s.testeeCount);
  return c;
}

PageWriteNotice TesteeWrittenNotice(bool usersAdded) { return WrittenNotice(kFlagTestees, usersAdded); }

PageWriteNotice TesteeCodeWrittenNotice(bool usersAdded) { return WrittenNotice(kFlagTesteeCodes, usersAdded); }

}  // namespace qel
