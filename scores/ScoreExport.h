// Score tables written to a file: one row per score, the testee and
// assessment columns, then one column per score variable; as text with "|"
// between values, an Excel workbook, a dBase table, or an Excel workbook
// from a template with a "norm" row. One score comes from the score
// dialog's document, many from the stored scores of a list of testees.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

class CRsOdbcExport;
class CScoreDocument;
class IScoreStore;

enum class ScoreExportType : int { kTableBitmap = 0, kTableText = 1, kText = 2, kExcel = 3, kDbase = 4 };

// Longest file title (no folder, no extension) of a type: 256 for the
// table views, 31 for text and Excel, 8 for dBase; graphs: 256 for the
// bitmap, 0 otherwise.
int MaxExportTitleLength(ScoreExportType type, bool graph);
// ".bmp", ".txt", ".xlsx", ".dbf"; graphs only ".bmp".
std::string ExportExtension(ScoreExportType type, bool graph);
// The proposed file title: "T_<task>" for many testees, "S_<task>" for a
// score table, "Line_"/"Z_" for graphs, "Table_<task>" (+"_series").
std::string ExportDefaultName(ScoreExportType type, bool graph, bool normCurve, bool seriesView, int testees,
                              const std::string& task);
// The message for a title that is too long, empty when it fits.
std::string CheckExportTitle(const std::string& path, ScoreExportType type, bool graph);

struct ScoreExportOptions {
  bool dataOnly = false;      // no heading line (text)
  bool append = false;        // append to an existing text file
  bool noTesteeName = false;  // first name and surname left empty
  bool testerColumns = false; // TesterId, TFname, TSname
};

// The rows of one score: its columns defined (when asked) and created, then
// the row; false when nothing could be written.
bool WriteScoreTable(CRsOdbcExport& rs, const CScoreDocument& score, const ScoreExportOptions& options,
                     bool defineColumns, const std::string& table = std::string());
// The "norm" row of a template: the norm value of every shown Z variable.
bool WriteNormRow(CRsOdbcExport& rs, const CScoreDocument& score, const std::string& table = std::string());
// The stored scores of the testees (in list order) for the model and task.
bool WriteScoreList(CRsOdbcExport& rs, IScoreStore& store, const std::vector<std::string>& testees,
                    const std::string& model, const std::string& task, const ScoreExportOptions& options);

// Where the rows come from: one score or a list.
struct ScoreExportSource {
  const CScoreDocument* score = nullptr;
  IScoreStore* store = nullptr;
  std::vector<std::string> testees;
  std::string model, task;
  int VariableCount() const;
  int ColumnCount(const ScoreExportOptions& options) const;
};

// A stored template workbook of a task (the norms database's data files).
class IScoreTemplates {
 public:
  virtual ~IScoreTemplates() = default;
  enum class Result { kFound, kMissing, kError };
  virtual Result ReadTemplate(const std::string& task, const std::string& language, std::string* bytes) = 0;
};

// The file of a score table (types text, Excel, dBase); the operator is told
// what went wrong. Every file is written beside its target and renamed into
// place.
bool ExportScoreTable(ScoreExportType type, const std::string& path, const ScoreExportSource& source,
                      const ScoreExportOptions& options);
// An Excel workbook from the task's template: the template is written to
// the path when it does not exist yet (an existing file is filled only when
// it is a workbook with the task's sheet, never written over), then the
// rows and the "norm" row go to the task's sheet.
bool ExportScoreTemplate(const std::string& path, const CScoreDocument& score, const ScoreExportOptions& options,
                         IScoreTemplates* templates, const std::string& language);

}  // namespace qel
