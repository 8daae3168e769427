#include "admin/TesteeSearch.h"

#include "admin/TesteeForms.h"
#include "project/ProjectData.h"

namespace qel {

CTesteeSearch::CTesteeSearch(const CTesteeSearchOptions& options, const std::string& startId)
    : m_options(options), m_id(startId) {}

void CTesteeSearch::SetPatterns(const std::string& id, const std::string& code, const std::string& surname,
                                bool ignoreCase) {
  m_id = id;
  m_code = code;
  m_surname = surname;
  m_ignoreCase = ignoreCase;
  m_searchPending = true;
}

std::vector<CTesteeSearchRow> CTesteeSearch::Search(const CProjectData* data) {
  m_filter = CTesteeFilter();
  m_selected.clear();
  m_id = TrimText(m_id);
  m_code = TrimText(m_code);
  m_surname = TrimText(m_surname);
  m_filter.m_testee = m_id;
  m_filter.m_code = m_code;
  m_filter.m_surname = m_surname;
  m_filter.m_ignoreCase = m_ignoreCase ? 1 : 0;
  m_filter.m_wholeMatch = 0;

  std::vector<CTesteeSearchRow> rows;
  if (data) {
    std::vector<std::string> ids, codes, firstNames, surnames, handednessSex;
    std::vector<QelDateTime> birthDates;
    const int n = data->GetTesteeRows(ids, &m_filter, &codes, &firstNames, &surnames, &birthDates, &handednessSex,
                                      nullptr, nullptr, nullptr);
    rows.reserve(static_cast<size_t>(n > 0 ? n : 0));
    for (size_t i = 0; i < ids.size(); ++i)
      rows.push_back({ids[i], codes[i], firstNames[i], surnames[i], birthDates[i], handednessSex[i]});
  }
  m_found = static_cast<int>(rows.size());
  m_marked = 0;
  m_searchPending = false;
  return rows;
}

CTesteeSearchEnables CTesteeSearch::Enables(bool hasProject) const {
  CTesteeSearchEnables e;
  if (!hasProject) return e;
  e.patterns = true;
  e.search = m_searchPending;
  e.ok = m_options.selectOne ? !m_selected.empty() : (m_options.marking && m_marked > 0);
  e.markAll = m_marked < m_found;
  e.unmarkAll = m_marked > 0;
  e.filterMarked = m_marked > 0;
  e.filterSelected = !m_selected.empty();
  return e;
}

std::string CTesteeSearch::FoundText() const { return "Found " + std::to_string(m_found); }

std::string CTesteeSearch::MarkedText() const { return "Marked " + std::to_string(m_marked); }

const CTesteeFilter& CTesteeSearch::FilterByMarked(const std::vector<std::string>& markedIds) {
  m_filter = CTesteeFilter();
  m_filter.m_testee = m_id;
  m_filter.m_code = m_code;
  m_filter.m_surname = m_surname;
  m_filter.m_ignoreCase = 1;
  m_filter.m_wholeMatch = 1;
  m_filter.m_names = markedIds;
  return m_filter;
}

const CTesteeFilter& CTesteeSearch::FilterBySelected() {
  m_filter = CTesteeFilter();
  m_filter.m_testee = m_selected;
  m_filter.m_ignoreCase = 1;
  m_filter.m_wholeMatch = 0;
  return m_filter;
}

}  // namespace qel
