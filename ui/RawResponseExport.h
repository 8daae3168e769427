// The raw response export: every trial of one stored assessment as one
// line of a text file, "|" between the values, with the testee, the part
// and, in an audited project, the tester who stored the part. The file is
// written beside its target and put in place when it is complete.
//
// Thread contract: user-interface thread only; the file is written
// synchronously.
#pragma once

#include <cstdint>
#include <string>

#include "ui/DataPageRules.h"

namespace qel {

class CExpModelTask;
class CQelProject;
class CRsOdbcExport;

// The texts of one trial: its response type ("NO" ... "DU" for codes 0-8,
// else the number), its response code (letters "L", "R", "V" for a named
// type, left and right exchanged for preference 1; else the number) and its
// revised category (the category name for a named type below 9, else the
// plug-in's name of the code or the number).
struct RawTrialTexts {
  std::string type, code, proc;
};
RawTrialTexts MakeRawTrialTexts(int32_t type, int32_t code, int32_t proc, int preference, const CExpModelTask& task);

// Defines the columns, writes the header line, then one row per trial of
// the parts that have trials, in part order. The header alone when the
// testee or the task cannot be read. testerColumns: TesterId, TFname and
// TSname first (an open CFR project in 21 CFR mode). The number of rows
// written; -1 when a line could not be written.
int WriteRawResponses(CRsOdbcExport& rs, CQelProject& project, const DataPageScore& score, bool testerColumns);

// Writes the file at path (an existing file is replaced only by the
// complete new one). False, with the operator told why, when the file could
// not be made or put in place; the old file then stays as it was.
bool ExportRawResponses(const std::string& path, CQelProject& project, const DataPageScore& score,
                        bool testerColumns);

}  // namespace qel
