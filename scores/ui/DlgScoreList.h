// "Table to save": the shown table or graph of the score dialog as it will
// be saved as a bitmap or printed, sized to its contents (shrunk to the
// screen when larger, with a warning), and its Save or Print button.
#pragma once

#include <string>

#include <wx/bitmap.h>
#include <wx/dialog.h>

#include "scores/ui/ScoreSheetPage.h"

class wxButton;
class wxStaticText;

namespace qel {

class CDlgScoreList : public wxDialog {
 public:
  // Save mode (a path) or print mode (an empty path and print true).
  CDlgScoreList(wxWindow* parent, const ScoreSheetPrint& sheet, const std::string& path, bool print);

  const wxBitmap& Picture() const { return m_picture; }
  bool WholeVisible() const { return m_wholeVisible; }
  wxButton* OkButton() { return m_ok; }
  // Saves the picture (BMP, or PNG for a ".png" path) beside the path and renames it into place.
  bool SavePicture();

 private:
  ScoreSheetPrint m_sheet;
  std::string m_path;
  bool m_print = false;
  bool m_wholeVisible = true;
  wxBitmap m_picture;
  wxButton* m_ok = nullptr;
};

// The caption of the dialog for its mode and view.
std::string ScoreListCaption(const std::string& path, bool print, ScoreView view);

}  // namespace qel
