// The rules of the testee search dialog that need no window: the patterns,
// the search through the project cache, the counts, what is enabled, and
// the two tree filters. The filter handed to the tree is a member: it is
// sent (handled at once, while the search lives), never queued, so no
// message can reach it after the dialog has closed; receivers copy it.
//
// Threads: the user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "project/TesteeFilter.h"

namespace qel {

class CProjectData;

struct CTesteeSearchOptions {
  bool treeFilter = false;  // offers the two "<- Filter tree" buttons
  bool marking = false;     // check boxes; OK needs a marked testee
  bool selectOne = false;   // "Testee Id selected"; OK needs a selected testee
};

// One testee found.
struct CTesteeSearchRow {
  std::string id;
  std::string code;
  std::string firstName;
  std::string surname;
  QelDateTime birthDate;
  std::string handednessSex;
};

struct CTesteeSearchEnables {
  bool patterns = false;  // the three patterns, ignore case and the list
  bool search = false;    // "Start search"
  bool ok = false;
  bool markAll = false;
  bool unmarkAll = false;
  bool filterMarked = false;
  bool filterSelected = false;
};

class CTesteeSearch {
 public:
  CTesteeSearch(const CTesteeSearchOptions& options, const std::string& startId);

  const CTesteeSearchOptions& Options() const { return m_options; }
  // The patterns as typed; any edit makes a search pending.
  void SetPatterns(const std::string& id, const std::string& code, const std::string& surname, bool ignoreCase);
  const std::string& IdPattern() const { return m_id; }
  bool IsSearchPending() const { return m_searchPending; }

  // Clears the filter and the selection, then lists the testees whose Id,
  // code and surname begin with the trimmed patterns (none when data is null).
  std::vector<CTesteeSearchRow> Search(const CProjectData* data);

  void Select(const std::string& id) { m_selected = id; }
  const std::string& Selected() const { return m_selected; }
  void SetMarkedCount(int marked) { m_marked = marked; }
  int FoundCount() const { return m_found; }
  int MarkedCount() const { return m_marked; }

  CTesteeSearchEnables Enables(bool hasProject) const;
  // "Found %d", "Marked %d".
  std::string FoundText() const;
  std::string MarkedText() const;

  // The tree filters: the patterns as typed, whole match, the marked Ids;
  // or the selected Id as the Id pattern, left-part match. Both ignore case.
  const CTesteeFilter& FilterByMarked(const std::vector<std::string>& markedIds);
  const CTesteeFilter& FilterBySelected();
  const CTesteeFilter& Filter() const { return m_filter; }

 private:
  CTesteeSearchOptions m_options;
  std::string m_id;
  std::string m_code;
  std::string m_surname;
  bool m_ignoreCase = false;
  bool m_searchPending = true;
  std::string m_selected;
  int m_found = 0;
  int m_marked = 0;
  CTesteeFilter m_filter;
};

}  // namespace qel
