// The list taken out of its window: its picture, the bitmap and text files
// and the copy of another list (CListCtrlQel's output operations).
#include <wx/dcmemory.h>
#include <wx/imaglist.h>

#include <cstdio>

#include "common/Prompt.h"
#include "common/TextOrEmpty.h"
#include "common/ui/WxText.h"
#include "ui/ListOutput.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

namespace {

const wxColour kPictureBackground(255, 255, 255);
const wxColour kHeaderBackground(236, 236, 236);
const wxColour kGridLine(200, 200, 200);
const wxColour kSelectedBackground(204, 224, 255);
constexpr int kCellPadding = 4;
constexpr int kCheckBoxSize = 12;
constexpr int kIconSize = 16;

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

}  // namespace

int CListCtrlQel::PictureRowHeight() const {
  wxRect rect;
  if (GetItemCount() > 0 && GetItemRect(0, rect)) return rect.height;
  return std::max(GetCharHeight() + 2 * kCellPadding, kIconSize + 2);
}

int CListCtrlQel::PictureHeaderHeight() const { return GetCharHeight() + 2 * kCellPadding; }

wxSize CListCtrlQel::PictureExtent() const {
  int width = 0;
  for (int c = 0; c < GetColumnCount(); ++c) width += GetColumnWidth(c);
  return wxSize(width, PictureHeaderHeight() + GetItemCount() * PictureRowHeight());
}

wxRect CListCtrlQel::GetCaptureRect(const CCaptureMargins& margins, bool wholeExtent) const {
  const wxSize client = GetClientSize();
  const wxSize extent = PictureExtent();
  const CCaptureSize size =
      GetCaptureSize(client.GetWidth(), client.GetHeight(), extent.GetWidth(), extent.GetHeight(), wholeExtent, margins);
  return wxRect(0, 0, size.width, size.height);
}

void CListCtrlQel::DrawPicture(wxDC& dc, const wxPoint& origin, bool wholeExtent) const {
  const int rowHeight = PictureRowHeight();
  const int headerHeight = PictureHeaderHeight();
  const wxSize client = GetClientSize();
  const wxSize extent = PictureExtent();
  const int width = wholeExtent ? std::max(client.GetWidth(), extent.GetWidth()) : client.GetWidth();
  const int height = wholeExtent ? std::max(client.GetHeight(), extent.GetHeight()) : client.GetHeight();
  dc.SetFont(GetFont());
  dc.SetTextForeground(*wxBLACK);
  dc.SetPen(wxPen(kGridLine));
  dc.SetBrush(wxBrush(kPictureBackground));
  dc.DrawRectangle(origin.x, origin.y, width, height);
  wxDCClipper clip(dc, wxRect(origin, wxSize(width, height)));

  // The header.
  int x = origin.x;
  dc.SetBrush(wxBrush(kHeaderBackground));
  for (int c = 0; c < GetColumnCount(); ++c) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT);
    GetColumn(c, column);
    const int columnWidth = GetColumnWidth(c);
    dc.DrawRectangle(x, origin.y, columnWidth, headerHeight);
    wxDCClipper cell(dc, wxRect(x, origin.y, columnWidth, headerHeight));
    dc.DrawText(column.GetText(), x + kCellPadding, origin.y + kCellPadding);
    x += columnWidth;
  }

  // The rows: those in view, or all of them.
  const int first = wholeExtent ? 0 : static_cast<int>(GetTopItem());
  const int last = wholeExtent ? GetItemCount() : std::min(GetItemCount(), first + GetCountPerPage() + 1);
  wxImageList* icons = GetImageList(wxIMAGE_LIST_SMALL);
  for (int row = first; row < last; ++row) {
    const int y = origin.y + headerHeight + (row - first) * rowHeight;
    const bool selected = GetItemState(row, wxLIST_STATE_SELECTED) != 0;
    dc.SetBrush(wxBrush(selected ? kSelectedBackground : kPictureBackground));
    x = origin.x;
    for (int c = 0; c < GetColumnCount(); ++c) {
      const int columnWidth = GetColumnWidth(c);
      dc.DrawRectangle(x, y, columnWidth, rowHeight + 1);
      wxDCClipper cell(dc, wxRect(x, y, columnWidth, rowHeight));
      int textX = x + kCellPadding;
      if (c == 0) {
        if (m_bCheckBoxes && static_cast<size_t>(row) < m_rows.size() && m_rows[row].check != 0) {
          const int boxY = y + (rowHeight - kCheckBoxSize) / 2;
          dc.SetBrush(*wxWHITE_BRUSH);
          dc.SetPen(*wxBLACK_PEN);
          dc.DrawRectangle(textX, boxY, kCheckBoxSize, kCheckBoxSize);
          if (m_rows[row].check == 2 || m_rows[row].check == 4) {
            dc.DrawLine(textX + 2, boxY + kCheckBoxSize / 2, textX + kCheckBoxSize / 2 - 1, boxY + kCheckBoxSize - 3);
            dc.DrawLine(textX + kCheckBoxSize / 2 - 1, boxY + kCheckBoxSize - 3, textX + kCheckBoxSize - 2, boxY + 2);
          }
          dc.SetPen(wxPen(kGridLine));
          textX += kCheckBoxSize + kCellPadding;
        }
        const int image = GetRowImage(row);
        if (icons && image >= 0 && image < icons->GetImageCount()) {
          icons->Draw(image, dc, textX, y + (rowHeight - kIconSize) / 2, wxIMAGELIST_DRAW_TRANSPARENT);
          textX += kIconSize + kCellPadding;
        }
      }
      const wxString text = GetItemText(row, c);
      wxListItem column;
      column.SetMask(wxLIST_MASK_FORMAT);
      GetColumn(c, column);
      const int textWidth = dc.GetTextExtent(text).GetWidth();
      if (column.GetAlign() == wxLIST_FORMAT_RIGHT) textX = std::max(textX, x + columnWidth - kCellPadding - textWidth);
      dc.DrawText(text, textX, y + (rowHeight - dc.GetCharHeight()) / 2);
      x += columnWidth;
    }
  }
}

bool CListCtrlQel::CaptureToBitmap(wxMemoryDC& dc, wxBitmap& bitmap, wxRect* rect, const CCaptureMargins& margins,
                                   bool wholeExtent) const {
  const wxRect capture = GetCaptureRect(margins, wholeExtent);
  if (rect) *rect = capture;
  if (capture.width <= 0 || capture.height <= 0) return false;
  if (!bitmap.Create(capture.width, capture.height, 24)) return false;
  dc.SelectObject(bitmap);
  if (!dc.IsOk()) return false;
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  DrawPicture(dc, wxPoint(margins.left, margins.top), wholeExtent);
  return true;
}

bool CListCtrlQel::SaveAsBitmap(const std::string& path, const CCaptureMargins& margins, bool wholeExtent) const {
  wxMemoryDC dc;
  wxBitmap bitmap;
  if (!CaptureToBitmap(dc, bitmap, nullptr, margins, wholeExtent)) return false;
  dc.SelectObject(wxNullBitmap);
  const wxImage image = bitmap.ConvertToImage();
  if (!image.IsOk()) return false;
  const std::vector<uint8_t> file = EncodeBitmapFile(image.GetWidth(), image.GetHeight(), image.GetData());
  if (file.empty()) return false;
  std::string error;
  return WriteListFile(path, std::string(file.begin(), file.end()), &error);
}

bool CListCtrlQel::SaveAsText(const std::string& path, const char* head, const char* foot) const {
  if (path.empty() || GetColumnCount() <= 0) return false;
  std::vector<std::string> captions;
  for (int c = 0; c < GetColumnCount(); ++c) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT);
    captions.push_back(GetColumn(c, column) ? Utf8(column.GetText()) : std::string());
  }
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(GetItemCount()));
  for (int row = 0; row < GetItemCount(); ++row) {
    std::vector<std::string> cells;
    for (int c = 0; c < GetColumnCount(); ++c) cells.push_back(Utf8(GetItemText(row, c)));
    rows.push_back(std::move(cells));
  }
  const std::string text = FormatListText(TextOrEmpty(head), TextOrEmpty(foot), captions, rows);
  if (text.empty()) return false;
  std::string error;
  if (!WriteListFile(path, text, &error)) {
    ShowPrompt("Error writing file! (" + path + ")", "Qel", kPromptOk | kPromptIconStop);
    return false;
  }
  return true;
}

bool CListCtrlQel::CopyRowsFrom(const CListCtrlQel& source, long only, long except) {
  std::vector<std::string> captions;
  std::vector<int> widths;
  for (int c = 0; c < source.GetColumnCount(); ++c) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH);
    source.GetColumn(c, column);
    captions.push_back(Utf8(column.GetText()));
    const int width = source.GetColumnWidth(c);
    widths.push_back(column.GetAlign() == wxLIST_FORMAT_RIGHT ? -width : width);
  }
  SetColumnsFromArrays(captions, widths, false);
  CListRows rows;
  for (int row = 0; row < source.GetItemCount(); ++row) {
    const long data = source.HasVirtualRows() ? 0 : static_cast<long>(source.GetItemData(row));
    if (only != 0 && data != only) continue;
    if (except != 0 && data == except) continue;
    CListRow copy;
    copy.key = source.GetKey(row);
    copy.image = source.GetRowImage(row);
    for (int c = 0; c < source.GetColumnCount(); ++c) copy.cells.push_back(Utf8(source.GetItemText(row, c)));
    rows.rows.push_back(std::move(copy));
  }
  rows.result = static_cast<int>(rows.rows.size());
  ShowRows(std::move(rows), nullptr, -1);
  return !captions.empty();
}

}  // namespace qel
