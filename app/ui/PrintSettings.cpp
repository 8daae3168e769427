#include "app/ui/PrintSettings.h"

#include <wx/dc.h>
#include <wx/fontdlg.h>
#include <wx/printdlg.h>

#include <cmath>
#include <cstdlib>

#include "app/settings/QelSettings.h"

namespace qel {

namespace {
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr int kTenthsPerMm = 10;
constexpr int kHundredthsPerMm = 100;
constexpr int kOrientationPortrait = 1;
constexpr int kOrientationLandscape = 2;
}  // namespace

double CPrintSettings::PointsFromHeight(int height) {
  const double mm = std::abs(height == 0 ? kDefaultFontHeight : height) / static_cast<double>(kTenthsPerMm);
  return mm * kPointsPerMm;
}

int CPrintSettings::HeightFromPoints(double points) {
  return -static_cast<int>(std::lround(points / kPointsPerMm * kTenthsPerMm));
}

CPrintSettings::CPrintSettings(CQelSettings* store) : m_store(store) {
  QelReportSettings stored;
  if (store) stored = store->LoadReportSettings();
  m_fontFace = stored.font;
  m_fontHeight = stored.fontSize;
  m_margins = stored.margins;
  BuildFonts();
  m_printData.SetPaperId(wxPAPER_A4);
  m_printData.SetOrientation(m_margins.orientation == kOrientationLandscape ? wxLANDSCAPE : wxPORTRAIT);
}

wxColour CPrintSettings::ShadeColour() const {
  return wxColour((kShadeColour >> 16) & 0xFF, (kShadeColour >> 8) & 0xFF, kShadeColour & 0xFF);
}

void CPrintSettings::BuildFonts() {
  wxFontInfo info(PointsFromHeight(m_fontHeight));
  info.FaceName(wxString::FromUTF8(m_fontFace));
  m_normalFont = wxFont(info);
  if (!m_normalFont.IsOk()) m_normalFont = wxFont(wxFontInfo(PointsFromHeight(m_fontHeight)).Family(wxFONTFAMILY_SWISS));
  m_boldFont = m_normalFont;
  m_boldFont.SetNumericWeight(kBoldWeight);
}

bool CPrintSettings::FontSetup(wxWindow* parent) {
  wxFontData data;
  data.SetInitialFont(m_normalFont);
  wxFontDialog dialog(parent, data);
  if (dialog.ShowModal() != wxID_OK) return false;
  ApplyFont(dialog.GetFontData().GetChosenFont());
  return true;
}

void CPrintSettings::ApplyFont(const wxFont& font) {
  if (!font.IsOk()) return;
  m_fontFace = font.GetFaceName().utf8_string();
  m_fontHeight = HeightFromPoints(font.GetFractionalPointSize());
  BuildFonts();
  if (m_store) m_store->SaveReportFont(m_fontFace, m_fontHeight);
}

bool CPrintSettings::PageSetup(wxWindow* parent) {
  wxPageSetupDialogData data(m_printData);
  data.SetPaperSize(wxSize(m_paperWidth / kTenthsPerMm, m_paperLength / kTenthsPerMm));
  data.SetMarginTopLeft(wxPoint(m_margins.left / kHundredthsPerMm, m_margins.top / kHundredthsPerMm));
  data.SetMarginBottomRight(wxPoint(m_margins.right / kHundredthsPerMm, m_margins.bottom / kHundredthsPerMm));
  wxPageSetupDialog dialog(parent, &data);
  if (dialog.ShowModal() != wxID_OK) return false;
  ApplyPageSetup(dialog.GetPageSetupDialogData());
  return true;
}

void CPrintSettings::ApplyPageSetup(const wxPageSetupDialogData& data) {
  const wxSize paper = data.GetPaperSize();
  if (paper.x > 0 && paper.y > 0) {
    m_paperWidth = paper.x * kTenthsPerMm;
    m_paperLength = paper.y * kTenthsPerMm;
  }
  m_margins.left = data.GetMarginTopLeft().x * kHundredthsPerMm;
  m_margins.top = data.GetMarginTopLeft().y * kHundredthsPerMm;
  m_margins.right = data.GetMarginBottomRight().x * kHundredthsPerMm;
  m_margins.bottom = data.GetMarginBottomRight().y * kHundredthsPerMm;
  m_printData = data.GetPrintData();
  m_margins.orientation = m_printData.GetOrientation() == wxLANDSCAPE ? kOrientationLandscape : kOrientationPortrait;
  if (m_store) m_store->SaveReportMargins(m_margins);
}

void CPrintSettings::DrawCellText(wxDC& dc, const std::string& text, const ReportRect& cell, unsigned verticalFlags,
                                  unsigned horizontalFlags) const {
  if (verticalFlags & kCellShade) {
    dc.SetBrush(wxBrush(ShadeColour()));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(cell.left, cell.top, cell.Width(), cell.Height());
  }
  if (!(verticalFlags & kCellDrawText) || text.empty()) return;
  const wxString shown = wxString::FromUTF8(text);
  wxCoord width = 0, height = 0;
  dc.GetTextExtent(shown, &width, &height);
  const ReportPoint at = PlaceCellText(cell, width, height, verticalFlags, horizontalFlags);
  dc.DrawText(shown, at.x, at.y);
}

}  // namespace qel
