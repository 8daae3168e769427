// The report document: what printing needs (the print settings, the
// report's header and footer texts and its line count) and a report text
// file that it can open and read whole. The model document derives from it
// and uses its print settings and printing state.
#pragma once

#include <wx/docview.h>

#include <memory>
#include <string>
#include <vector>

#include "app/text/TextFile.h"
#include "app/ui/PrintSettings.h"
#include "include/qel/DateTime.h"

namespace qel {

class CQelSettings;

class CDocReport : public wxDocument {
 public:
  // The settings store the print settings read and write (the program's;
  // null: defaults, nothing stored).
  static void SetSettingsStore(CQelSettings* store);

  CDocReport();
  ~CDocReport() override;

  bool OnOpenDocument(const wxString& path) override;
  bool OnCloseDocument() override;
  bool DeleteContents() override;

  void SetReportPath(const std::string& path) { m_reportPath = path; }
  bool OpenReportFile();
  void CloseReportFile();
  bool IsReportFileOpen() const { return m_bFileOpen; }
  const std::string& GetReportText() const { return m_reportText; }
  const std::string& GetSizeText() const { return m_sizeText; }

  void ResetReportTexts();
  void ResetPrintState();

  CPrintSettings& PrintSettings() { return *m_printSettings; }

  // The printed report: header and footer texts and the body's lines.
  std::string m_title;
  std::string m_subtitle;
  std::string m_totalLabel;
  std::string m_footerText;
  int m_lineCount = 0;
  QelDateTime m_printDate;

 private:
  std::string m_reportPath;
  std::string m_sizeText;
  CTextFile m_reportFile;
  bool m_bFileOpen = false;
  std::string m_reportText;
  std::unique_ptr<CPrintSettings> m_printSettings;

  wxDECLARE_DYNAMIC_CLASS(CDocReport);
};

}  // namespace qel
