// What printing needs: the report font (normal and bold), the margins, the
// paper and its orientation, kept in the settings' "Document" section; the
// font and page set-up dialogs; and the drawing of one cell's text.
//
// The stored font height is the character height in tenths of a
// millimetre, negative as the font dialog gives it (-40: 4 mm, about 11
// points).
#pragma once

#include <wx/cmndata.h>
#include <wx/colour.h>
#include <wx/font.h>

#include <string>

#include "app/report/ReportLayout.h"
#include "app/settings/FixedFieldText.h"

class wxDC;
class wxWindow;

namespace qel {

class CQelSettings;

class CPrintSettings {
 public:
  static constexpr int kDefaultFontHeight = -40;
  static constexpr int kPaperWidthDefault = 2100;   // tenths of a millimetre (A4)
  static constexpr int kPaperLengthDefault = 2970;
  static constexpr int kBoldWeight = 700;
  static constexpr char kColumnSeparator = '|';
  static constexpr unsigned long kShadeColour = 0xE0E0E0;

  // Reads "Font", "FontSize" and "Margins" from the store (defaults without one).
  explicit CPrintSettings(CQelSettings* store);

  const std::string& FontFace() const { return m_fontFace; }
  int FontHeight() const { return m_fontHeight; }
  const wxFont& NormalFont() const { return m_normalFont; }
  const wxFont& BoldFont() const { return m_boldFont; }
  const QelPageMargins& Margins() const { return m_margins; }
  int PaperWidth() const { return m_paperWidth; }
  int PaperLength() const { return m_paperLength; }
  wxPrintData& PrintData() { return m_printData; }
  wxColour ShadeColour() const;

  // The font dialog, then ApplyFont; true on OK.
  bool FontSetup(wxWindow* parent);
  // Rebuilds both fonts from the choice and stores "Font" and "FontSize".
  void ApplyFont(const wxFont& font);
  // The page set-up dialog, then ApplyPageSetup; true on OK.
  bool PageSetup(wxWindow* parent);
  // Takes paper, margins and orientation and stores "Margins".
  void ApplyPageSetup(const wxPageSetupDialogData& data);

  // Draws a cell's text as the flags say (kCellShade fills the cell first);
  // lineHeight is the current font's.
  void DrawCellText(wxDC& dc, const std::string& text, const ReportRect& cell, unsigned verticalFlags,
                    unsigned horizontalFlags) const;

  // Point size of a stored font height and back.
  static double PointsFromHeight(int height);
  static int HeightFromPoints(double points);

 private:
  void BuildFonts();

  CQelSettings* m_store;
  std::string m_fontFace;
  int m_fontHeight;
  wxFont m_normalFont;
  wxFont m_boldFont;
  QelPageMargins m_margins;
  int m_paperWidth = kPaperWidthDefault;
  int m_paperLength = kPaperLengthDefault;
  wxPrintData m_printData;
};

}  // namespace qel
