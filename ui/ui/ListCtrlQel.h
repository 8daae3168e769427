// The base of the program's data lists: a report-view list whose rows are
// identified by key texts, whose columns come from a caption table and a
// width table, and which may show check boxes. It tells its owner window
// about double-clicks, selections and check changes with notify codes that
// name the event and the kind of list; the check-changing query is sent
// (the owner may refuse it), every other code is posted.
//
// Check boxes are check images per row: 0 none, 1 unchecked, 2 checked, and
// a second pair 3/4 that owners may set. A click on a box asks for the next
// image; 2 -> 3 becomes 1 and 4 -> 1 becomes 3, so 1/2 and 3/4 toggle
// within their pair. Images 2 and 4 show as a ticked box.
//
// The lists of the program show rows that a row builder made without a
// window (ui/ListRows.h) through ShowRows. A list made with virtual rows
// (the long ones: testees, responses, scores) keeps them and hands their
// texts to the control as it draws; the others insert every row.
//
// A selection is never refused: the owner's check-changing query only
// guards the check images, so a refused check change leaves the row
// selectable.
#pragma once

#include <wx/listctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/ItemKeyList.h"
#include "ui/ListOutput.h"
#include "ui/ListRows.h"

class wxBitmap;
class wxDC;
class wxMemoryDC;

namespace qel {

class CListCtrlQel : public wxListCtrl {
 public:
  // Positions of the event codes in m_nEventCodes.
  enum EventIndex {
    kEventDblClk = 0,
    kEventDeselected,
    kEventSelected,
    kEventCheckChanging,
    kEventCheckChanged,
    kEventUnchecked,
    kEventChecked,
    kEventCount
  };
  static constexpr int kAllColumns = 100;
  static constexpr int kDefaultColumnWidth = 50;

  CListCtrlQel();
  CListCtrlQel(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, bool virtualRows = false);
  ~CListCtrlQel() override;
  bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, bool virtualRows = false);
  bool HasVirtualRows() const { return m_bVirtual; }

  // Shows the rows a row builder made: they replace every row, key and the
  // row count (source becomes the data source); rowToSelect (0 or above) is
  // selected; the columns are auto-sized. The number of rows shown, or -1
  // (nothing shown, nothing auto-sized) when the builder failed.
  int ShowRows(CListRows rows, const void* source, int rowToSelect);
  // The rows last shown; the text of a shown cell ("" outside them).
  const CListRows& GetShownRows() const { return m_shown; }
  std::string GetCellText(int row, int column) const;
  // Columns from a builder's column table.
  bool SetColumnTable(const std::vector<CListColumn>& columns, bool checkBoxes);

  // Rows and keys.
  virtual void ResetRows();
  virtual void UpdateRow(int row, int columns);
  std::string GetKey(int i) const { return m_keyList.GetKey(i); }
  bool InsertRow(int row, const char* key, bool select);
  bool InsertRowWithImage(int row, const char* key, int image, bool select);
  bool DeleteRow(int row);
  void DeleteAllRows();
  void RefreshAllRows();
  void RefreshFirstColumn();
  bool SetRowImage(int row, int image);
  // The row's image number (-1 for none or out of range), shown or not.
  int GetRowImage(int row) const;

  // Selection.
  int GetSelectedRow() const;
  bool SelectRow(int row);
  bool SelectRowByKey(const char* key);
  bool EnsureRowVisible(int row, bool select);
  bool EnsureRowVisibleByKey(const char* key, bool select);

  // Check boxes.
  int GetCheckState(int row) const;
  bool SetCheckState(int row, int image);
  bool IsRowChecked(int row) const;
  int CountCheckedRows() const;
  int GetCheckedCount() const { return CountCheckedRows(); }
  bool SetRowCheck(int row, bool checked, bool select);
  bool SetRowCheckByKey(const char* key, bool checked, bool select);

  // Columns.
  bool SetColumns(const char* const* captions, const int* widths, int count, bool checkBoxes);
  bool SetColumnsFromArrays(const std::vector<std::string>& captions, const std::vector<int>& widths, bool checkBoxes);
  void AutoSizeColumns();
  // Deletes column 0 until none is left; the number deleted (wx already has
  // a DeleteAllColumns with another result).
  int RemoveAllColumns();

  // Output. The picture of the list is drawn from its columns and rows (the
  // rows in view, or every row with the whole extent) at the margin offset
  // of a rectangle of GetCaptureRect's size; the margins stay white.
  wxRect GetCaptureRect(const CCaptureMargins& margins, bool wholeExtent) const;
  bool CaptureToBitmap(wxMemoryDC& dc, wxBitmap& bitmap, wxRect* rect, const CCaptureMargins& margins,
                       bool wholeExtent) const;
  // Writes the picture as a bitmap file beside the target and renames it
  // over it; false when nothing was written.
  bool SaveAsBitmap(const std::string& path, const CCaptureMargins& margins, bool wholeExtent) const;
  // Writes the list as an aligned text file (head line, captions, rows,
  // foot line); false for an empty path, no columns or no rows; a file that
  // cannot be written is reported ("Error writing file! (%s)").
  bool SaveAsText(const std::string& path, const char* head, const char* foot) const;
  // Copies the source's columns and rows (without check boxes); a nonzero
  // only value skips rows whose item data differ from it, a nonzero except
  // value rows whose item data equal it. True when anything was copied.
  bool CopyRowsFrom(const CListCtrlQel& source, long only, long except);
  // Draws the list's picture with its top left corner at origin.
  void DrawPicture(wxDC& dc, const wxPoint& origin, bool wholeExtent) const;

  CItemKeyList m_keyList;
  // -1 no bar, 0 horizontal only, 1 vertical only, 3 both (set by AutoSizeColumns).
  int32_t m_nScrollBars = -1;
  int32_t m_nEventCodes[kEventCount];

 protected:
  // The five event codes a list of kind k posts: 300 + k double-click,
  // 310 + k deselected, 320 + k selected, 330 + k unchecked, 340 + k checked.
  void SetListKind(int kind);

  virtual void OnRowDblClk(int row);
  virtual void OnCheckChanging(int row);
  virtual void OnRowDeselected(int row);
  virtual void OnRowSelected(int row);
  virtual void OnCheckChanged(int row);

 private:
  // The image a row shows: none until the program's image list exists.
  int ShownImage(int image) const;
  // The picture's geometry: header and row height, the rows drawn, the size of all rows.
  int PictureRowHeight() const;
  int PictureHeaderHeight() const;
  wxSize PictureExtent() const;
  // The width that fits a virtual list's caption and texts of a column.
  int VirtualColumnWidth(int column) const;
  void BindEvents();
  bool ValidRow(int row) const { return row >= 0 && row < GetItemCount(); }
  bool InAccountedRows(int row) const { return row >= 0 && static_cast<uint32_t>(row) < m_keyList.m_nRowCount; }
  // The check part of a state change of a row: the refusal rules, the
  // owner's query, the change itself and its notifications. False when refused.
  bool ChangeCheckImage(int row, int image);
  void ShowCheckImage(int row);
  void Post(int index, int row);

  // Virtual rows: the control asks for what it draws.
  wxString OnGetItemText(long item, long column) const override;
  int OnGetItemColumnImage(long item, long column) const override;
  bool OnGetItemIsChecked(long item) const override;

  void OnPlatformChecked(wxListEvent& event);
  void OnPlatformSelected(wxListEvent& event);
  void OnPlatformDeselected(wxListEvent& event);
  void OnPlatformActivated(wxListEvent& event);

  // One per item: its check image, and its image in the program's image
  // list (shown once the list exists; kept while it does not).
  struct RowState {
    uint8_t check = 0;
    int image = -1;
  };
  std::vector<RowState> m_rows;
  bool m_bCheckBoxes = false;
  bool m_bVirtual = false;
  CListRows m_shown;
  int m_nShowing = 0;  // check boxes being set from the images: their events are ours
};

}  // namespace qel
