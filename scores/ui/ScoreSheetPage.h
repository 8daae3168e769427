// The score sheet on paper: the two header lines, then the shown list's
// columns and rows (or the shown graph) on as many pages as they need. One
// drawing serves the printer and a PDF file.
#pragma once

#include <string>

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include "scores/ScoreDocument.h"

class wxWindow;

namespace qel {

struct ScoreSheetPrint {
  const CScoreDocument* document = nullptr;
  ScoreView view = ScoreView::kBasic;
  bool noTesteeName = false;
  ScoreHeaderData::Mode mode = ScoreHeaderData::Mode::kPrinted;
};

// The number of pages the sheet needs on a page rectangle of that size.
int ScoreSheetPageCount(wxDC& dc, const wxRect& page, const ScoreSheetPrint& sheet);
// Draws page number (0-based).
void DrawScoreSheetPage(wxDC& dc, const wxRect& page, const ScoreSheetPrint& sheet, int number);
// Writes the sheet as a PDF file (A4) beside the path and renames it into place.
bool WriteScoreSheetPdf(const std::string& path, const ScoreSheetPrint& sheet);
// The printer dialog, then the pages to the printer.
bool PrintScoreSheet(wxWindow* parent, const ScoreSheetPrint& sheet);

}  // namespace qel
