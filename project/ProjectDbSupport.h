// What the two project-file formats share in their record-set work: opening
// a record set so that a failure ends the operation, the key filters of an
// assessment and of one of its parts, and the stop box of their messages.
// The formats name the assessment-number column apart ("Assessment" in the
// plain file, "AssNo" in the CFR file); the filters take the name.
//
// Thread contract: the user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

#include "db/DbOdbcAccess.h"
#include "db/DbRecordset.h"
#include "db/PackedArrays.h"
#include "include/qel/DateTime.h"
#include "project/ProjectDb.h"

namespace qel::projectdb {

// A record set that could not be opened has reported why; the operation ends.
struct RecordSetNotOpened {
  int code;
};

inline void OpenRecordset(CRsOdbcAccess& rs, int type, unsigned options) {
  if (!rs.Open(type, std::string(), options)) throw RecordSetNotOpened{rs.GetOpenResult()};
}

inline void OpenForReading(CRsOdbcAccess& rs) { OpenRecordset(rs, DbRecordset::kForwardOnly, DbRecordset::kReadOnly); }
inline void OpenForWriting(CRsOdbcAccess& rs) { OpenRecordset(rs, DbRecordset::kDynaset, DbRecordset::kNoOptions); }
inline void OpenForAppending(CRsOdbcAccess& rs) { OpenRecordset(rs, DbRecordset::kDynaset, DbRecordset::kAppendOnly); }

// Shows a message of a project operation in a stop box.
void ShowStop(const std::string& text);

inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

inline bool Earlier(const QelDateTime& a, const QelDateTime& b) {
  return QelDateTime::Continuous(a.value) < QelDateTime::Continuous(b.value);
}

// The rows of one assessment, and of one part (and serial number) of it.
DbFilter AssessmentFilter(const char* assessmentColumn, const std::string& testee, const std::string& model,
                          const std::string& code, uint32_t assessment);
DbFilter PartFilter(const char* assessmentColumn, const std::string& testee, const std::string& model,
                    const std::string& code, uint32_t assessment, uint32_t part, uint32_t serial);

// n values of a response array; the column gets exactly n words (none for 0).
void PackResponses(DbBytes& column, const int32_t* values, int n);
// n values of a stored response array into a part from position at on;
// values the column lacks are 0.
void UnpackResponses(const DbBytes& column, int32_t* part, int at, int n);

}  // namespace qel::projectdb

namespace qel {

template <class Row>
void CProjectDb::PackResponseColumns(Row& row, size_t part, int n) const {
  projectdb::PackResponses(row.m_respType, m_respTypeParts[part], n);
  projectdb::PackResponses(row.m_respTime, m_respTimeParts[part], n);
  projectdb::PackResponses(row.m_respCode, m_respCodeParts[part], n);
  projectdb::PackResponses(row.m_procType, m_procTypeParts[part], n);
}

template <class Row>
void CProjectDb::UnpackResponseColumns(const Row& row, size_t part, int at, int n) {
  projectdb::UnpackResponses(row.m_respType, m_respTypeParts[part], at, n);
  projectdb::UnpackResponses(row.m_respTime, m_respTimeParts[part], at, n);
  projectdb::UnpackResponses(row.m_respCode, m_respCodeParts[part], at, n);
  projectdb::UnpackResponses(row.m_procType, m_procTypeParts[part], at, n);
}

template <class Row>
void CProjectDb::PackScoreColumns(Row& row, int variables) const {
  row.m_varNum = variables;
  row.m_varAttrs.clear();
  ByteArrayFromDWords(row.m_varAttrs, m_attributeWords, variables);
  PackVariableArray(row.m_varNames, variables, VariableColumn::kNames);
  PackVariableArray(row.m_varFrmts, variables, VariableColumn::kFormats);
  PackVariableArray(row.m_varLabels, variables, VariableColumn::kLabels);
  row.m_varValues.clear();
  ByteArrayFromDoubles(row.m_varValues, m_variableValues, variables);
}

}  // namespace qel
