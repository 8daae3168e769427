#include "ui/ui/ListCtrlQel.h"

#include <wx/imaglist.h>

#include <algorithm>
#include <cstdlib>

#include "common/ui/WxText.h"
#include "common/TextOrEmpty.h"
#include "ui/ui/AppImageLists.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

constexpr int32_t kBaseEventCodes[CListCtrlQel::kEventCount] = {300, 310, 320, 350, 360, 330, 340};

bool Ticked(int image) { return image == 2 || image == 4; }

}  // namespace

CListCtrlQel::CListCtrlQel() {
  std::copy(std::begin(kBaseEventCodes), std::end(kBaseEventCodes), m_nEventCodes);
  ResetRows();
}

CListCtrlQel::CListCtrlQel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, bool virtualRows)
    : CListCtrlQel() {
  Create(parent, id, pos, size, virtualRows);
}

CListCtrlQel::~CListCtrlQel() { CListCtrlQel::ResetRows(); }

bool CListCtrlQel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, bool virtualRows) {
  m_bVirtual = virtualRows;
  const long style = wxLC_REPORT | wxLC_HRULES | wxLC_VRULES | (virtualRows ? wxLC_VIRTUAL : 0);
  if (!wxListCtrl::Create(parent, id, pos, size, style)) return false;
  BindEvents();
  return true;
}

void CListCtrlQel::BindEvents() {
  // Handled here and not passed on: the owner hears of them as notify codes.
  Bind(wxEVT_LIST_ITEM_CHECKED, &CListCtrlQel::OnPlatformChecked, this);
  Bind(wxEVT_LIST_ITEM_UNCHECKED, &CListCtrlQel::OnPlatformChecked, this);
  Bind(wxEVT_LIST_ITEM_SELECTED, &CListCtrlQel::OnPlatformSelected, this);
  Bind(wxEVT_LIST_ITEM_DESELECTED, &CListCtrlQel::OnPlatformDeselected, this);
  Bind(wxEVT_LIST_ITEM_ACTIVATED, &CListCtrlQel::OnPlatformActivated, this);
}

// ---- rows and keys ----------------------------------------------------------------

void CListCtrlQel::ResetRows() {
  m_keyList.m_pDataSource = nullptr;
  m_keyList.m_keys.clear();
  m_keyList.m_nRowCount = 0;
  m_keyList.m_strCurrentKey.clear();
  m_nScrollBars = -1;
  m_shown = CListRows();
}

void CListCtrlQel::SetListKind(int kind) {
  m_nEventCodes[kEventDblClk] = 300 + kind;
  m_nEventCodes[kEventDeselected] = 310 + kind;
  m_nEventCodes[kEventSelected] = 320 + kind;
  m_nEventCodes[kEventUnchecked] = 330 + kind;
  m_nEventCodes[kEventChecked] = 340 + kind;
}

void CListCtrlQel::UpdateRow(int row, int columns) {
  if (!ValidRow(row)) return;
  if (static_cast<size_t>(row) < m_shown.rows.size()) {
    if (m_bVirtual) {
      RefreshItem(row);
      return;
    }
    // Column 0 only, or every column.
    const std::vector<std::string>& cells = m_shown.rows[static_cast<size_t>(row)].cells;
    const size_t last = std::min<size_t>(cells.size(), columns != 0 ? static_cast<size_t>(GetColumnCount()) : 1);
    for (size_t c = 0; c < last; ++c) SetItem(row, static_cast<int>(c), ToWx(cells[c]));
    return;
  }
  if (columns != 0 && GetColumnCount() > 1) SetItem(row, 1, ToWx(GetKey(row)));
}

int CListCtrlQel::ShowRows(CListRows rows, const void* source, int rowToSelect) {
  DeleteAllRows();
  if (rows.result < 0) return -1;
  m_keyList.m_pDataSource = source;
  m_shown = std::move(rows);
  m_keyList.m_keys.reserve(m_shown.rows.size());
  for (const CListRow& row : m_shown.rows) m_keyList.m_keys.push_back(row.key);
  const int count = static_cast<int>(m_shown.rows.size());
  m_keyList.m_nRowCount = static_cast<uint32_t>(m_shown.accountedRows >= 0 ? m_shown.accountedRows : count);
  if (m_bVirtual) {
    m_rows.clear();
    m_rows.reserve(m_shown.rows.size());
    for (const CListRow& row : m_shown.rows)
      m_rows.push_back(RowState{static_cast<uint8_t>(m_bCheckBoxes ? 1 : 0), row.image});
    SetItemCount(count);
    Refresh();
  } else {
    Freeze();
    for (int i = 0; i < count; ++i) InsertRowWithImage(i, nullptr, m_shown.rows[static_cast<size_t>(i)].image, false);
    Thaw();
  }
  if (rowToSelect >= 0) SelectRow(rowToSelect);
  AutoSizeColumns();
  return count;
}

std::string CListCtrlQel::GetCellText(int row, int column) const {
  if (row < 0 || static_cast<size_t>(row) >= m_shown.rows.size() || column < 0) return std::string();
  const std::vector<std::string>& cells = m_shown.rows[static_cast<size_t>(row)].cells;
  return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : std::string();
}

bool CListCtrlQel::SetColumnTable(const std::vector<CListColumn>& columns, bool checkBoxes) {
  std::vector<std::string> captions;
  std::vector<int> widths;
  for (const CListColumn& column : columns) {
    captions.emplace_back(TextOrEmpty(column.caption));
    widths.push_back(column.width);
  }
  return SetColumnsFromArrays(captions, widths, checkBoxes);
}

wxString CListCtrlQel::OnGetItemText(long item, long column) const {
  return ToWx(GetCellText(static_cast<int>(item), static_cast<int>(column)));
}

int CListCtrlQel::OnGetItemColumnImage(long item, long column) const {
  if (column != 0 || item < 0 || static_cast<size_t>(item) >= m_rows.size()) return -1;
  return ShownImage(m_rows[static_cast<size_t>(item)].image);
}

bool CListCtrlQel::OnGetItemIsChecked(long item) const {
  return item >= 0 && static_cast<size_t>(item) < m_rows.size() && Ticked(m_rows[static_cast<size_t>(item)].check);
}

bool CListCtrlQel::InsertRow(int row, const char* key, bool select) { return InsertRowWithImage(row, key, -1, select); }

bool CListCtrlQel::InsertRowWithImage(int row, const char* key, int image, bool select) {
  // Virtual rows come only from ShowRows.
  if (m_bVirtual) return false;
  if (row < 0 || static_cast<uint32_t>(row) > m_keyList.m_nRowCount || row > GetItemCount()) return false;
  const long item = InsertItem(row, wxString::Format("%d", row + 1), ShownImage(image));
  if (item < 0) return false;
  m_rows.insert(m_rows.begin() + item, RowState{static_cast<uint8_t>(m_bCheckBoxes ? 1 : 0), image});
  if (key) {
    m_keyList.m_keys.insert(m_keyList.m_keys.begin() + std::min<size_t>(row, m_keyList.m_keys.size()), key);
    ++m_keyList.m_nRowCount;
  }
  UpdateRow(static_cast<int>(item), kAllColumns);
  if (select) SelectRow(static_cast<int>(item));
  return true;
}

bool CListCtrlQel::DeleteRow(int row) {
  if (!InAccountedRows(row) || !ValidRow(row)) return false;
  if (m_bVirtual) {
    SetItemCount(GetItemCount() - 1);
    Refresh();
  } else if (!DeleteItem(row)) {
    return false;
  }
  if (static_cast<size_t>(row) < m_shown.rows.size()) m_shown.rows.erase(m_shown.rows.begin() + row);
  m_rows.erase(m_rows.begin() + row);
  if (static_cast<size_t>(row) < m_keyList.m_keys.size()) m_keyList.m_keys.erase(m_keyList.m_keys.begin() + row);
  --m_keyList.m_nRowCount;
  return true;
}

void CListCtrlQel::DeleteAllRows() {
  ResetRows();
  if (m_bVirtual)
    SetItemCount(0);
  else
    DeleteAllItems();
  m_rows.clear();
}

void CListCtrlQel::RefreshAllRows() {
  for (int row = 0; row < GetItemCount(); ++row) UpdateRow(row, kAllColumns);
  AutoSizeColumns();
}

void CListCtrlQel::RefreshFirstColumn() {
  for (int row = 0; row < GetItemCount(); ++row) UpdateRow(row, 0);
  AutoSizeColumns();
}

int CListCtrlQel::ShownImage(int image) const {
  // Without the program's image list a row shows no icon.
  return GetImageList(wxIMAGE_LIST_SMALL) ? image : -1;
}

bool CListCtrlQel::SetRowImage(int row, int image) {
  if (!ValidRow(row) || static_cast<size_t>(row) >= m_rows.size()) return false;
  m_rows[row].image = image;
  if (m_bVirtual) {
    RefreshItem(row);
    return true;
  }
  return SetItemImage(row, ShownImage(image));
}

int CListCtrlQel::GetRowImage(int row) const {
  return ValidRow(row) && static_cast<size_t>(row) < m_rows.size() ? m_rows[row].image : -1;
}

// ---- selection ----------------------------------------------------------------------

int CListCtrlQel::GetSelectedRow() const {
  return static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

bool CListCtrlQel::SelectRow(int row) {
  if (!ValidRow(row)) return false;
  return SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

bool CListCtrlQel::SelectRowByKey(const char* key) {
  const int row = m_keyList.m_keys.Find(key);
  return row >= 0 && SelectRow(row);
}

bool CListCtrlQel::EnsureRowVisible(int row, bool select) {
  if (!ValidRow(row)) return false;
  EnsureVisible(row);
  if (select) SelectRow(row);
  return true;
}

bool CListCtrlQel::EnsureRowVisibleByKey(const char* key, bool select) {
  return EnsureRowVisible(m_keyList.m_keys.Find(key), select);
}

// ---- check boxes ----------------------------------------------------------------------

int CListCtrlQel::GetCheckState(int row) const {
  if (!ValidRow(row) || static_cast<size_t>(row) >= m_rows.size()) return 0;
  return m_rows[row].check;
}

bool CListCtrlQel::SetCheckState(int row, int image) {
  if (!ValidRow(row)) return false;
  ChangeCheckImage(row, ((image % 16) + 16) % 16);
  return true;
}

bool CListCtrlQel::IsRowChecked(int row) const { return GetCheckState(row) == 2; }

int CListCtrlQel::CountCheckedRows() const {
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const RowState& r) { return r.check == 2; }));
}

bool CListCtrlQel::SetRowCheck(int row, bool checked, bool select) {
  if (!ValidRow(row)) return false;
  ChangeCheckImage(row, checked ? 2 : 1);
  if (select) SelectRow(row);
  return true;
}

bool CListCtrlQel::SetRowCheckByKey(const char* key, bool checked, bool select) {
  return SetRowCheck(m_keyList.m_keys.Find(key), checked, select);
}

bool CListCtrlQel::ChangeCheckImage(int row, int image) {
  if (static_cast<size_t>(row) >= m_rows.size()) return false;
  const int old = m_rows[row].check;
  // Rows the list does not account for change without a word.
  if (!InAccountedRows(row)) {
    m_rows[row].check = static_cast<uint8_t>(image);
    ShowCheckImage(row);
    return true;
  }
  if (old != image) {
    // Each pair toggles within itself.
    if (old == 2 && image == 3) {
      ChangeCheckImage(row, 1);
      return false;
    }
    if (old == 3 && image != 4) return false;
    if (old == 4 && image == 1) {
      ChangeCheckImage(row, 3);
      return false;
    }
  }
  if (image > 0) {
    OnCheckChanging(row);
    if (qel::SendNotify(m_keyList.m_pOwner, m_nEventCodes[kEventCheckChanging], row) != 0) {
      ShowCheckImage(row);
      return false;
    }
  }
  m_rows[row].check = static_cast<uint8_t>(image);
  ShowCheckImage(row);
  if (old != 0 && image != 0 && old != image) {
    OnCheckChanged(row);
    Post(kEventCheckChanged, row);
    if (image == 1) Post(kEventUnchecked, row);
    if (image == 2) Post(kEventChecked, row);
  }
  return true;
}

void CListCtrlQel::ShowCheckImage(int row) {
  if (!m_bCheckBoxes || !HasCheckBoxes() || !ValidRow(row)) return;
  if (m_bVirtual) {
    RefreshItem(row);  // the control reads the image back
    return;
  }
  const bool ticked = Ticked(m_rows[row].check);
  if (IsItemChecked(row) == ticked) return;
  ++m_nShowing;
  CheckItem(row, ticked);
  --m_nShowing;
}

void CListCtrlQel::Post(int index, int row) { qel::PostNotify(m_keyList.m_pOwner, m_nEventCodes[index], row); }

void CListCtrlQel::OnPlatformChecked(wxListEvent& event) {
  if (m_nShowing > 0) return;
  const int row = static_cast<int>(event.GetIndex());
  if (!ValidRow(row) || static_cast<size_t>(row) >= m_rows.size()) return;
  // A click asks for the next check image, as the box cycles through its pairs.
  const int old = m_rows[row].check;
  const int next = old % 4 + 1;
  ChangeCheckImage(row, next);
  ShowCheckImage(row);
}

void CListCtrlQel::OnPlatformSelected(wxListEvent& event) {
  const int row = static_cast<int>(event.GetIndex());
  if (!InAccountedRows(row)) return;
  m_keyList.m_strCurrentKey = GetKey(row);
  OnRowSelected(row);
  Post(kEventSelected, row);
}

void CListCtrlQel::OnPlatformDeselected(wxListEvent& event) {
  const int row = static_cast<int>(event.GetIndex());
  if (!InAccountedRows(row)) return;
  OnRowDeselected(row);
  Post(kEventDeselected, row);
}

void CListCtrlQel::OnPlatformActivated(wxListEvent& event) {
  const int row = static_cast<int>(event.GetIndex());
  OnRowDblClk(row);
  Post(kEventDblClk, row);
}

// ---- columns ---------------------------------------------------------------------------

bool CListCtrlQel::SetColumns(const char* const* captions, const int* widths, int count, bool checkBoxes) {
  std::vector<std::string> captionArray;
  std::vector<int> widthArray;
  if (captions && widths) {
    for (int i = 0; i < count; ++i) {
      captionArray.emplace_back(TextOrEmpty(captions[i]));
      widthArray.push_back(widths[i]);
    }
  }
  return SetColumnsFromArrays(captionArray, widthArray, checkBoxes);
}

bool CListCtrlQel::SetColumnsFromArrays(const std::vector<std::string>& captions, const std::vector<int>& widths,
                                        bool checkBoxes) {
  DeleteAllRows();
  ResetRows();
  RemoveAllColumns();
  SetImageList(qel::GetAppSmallImageList(), wxIMAGE_LIST_SMALL);
  for (size_t i = 0; i < captions.size(); ++i) {
    int width = kDefaultColumnWidth;
    wxListColumnFormat format = wxLIST_FORMAT_LEFT;
    if (i < widths.size()) {
      width = std::abs(widths[i]);
      if (widths[i] < 0) format = wxLIST_FORMAT_RIGHT;
    }
    // The generic list right-aligns its first column directly.
    InsertColumn(static_cast<long>(i), ToWx(captions[i]), format, width);
  }
  m_bCheckBoxes = checkBoxes;
  EnableCheckBoxes(checkBoxes);
  SetWindowStyleFlag((GetWindowStyleFlag() | wxLC_HRULES | wxLC_VRULES) & ~wxLC_SINGLE_SEL);
  AutoSizeColumns();
  return true;
}

void CListCtrlQel::AutoSizeColumns() {
  for (int c = 0; c < GetColumnCount(); ++c) {
    if (m_bVirtual) {
      SetColumnWidth(c, VirtualColumnWidth(c));
      continue;
    }
    SetColumnWidth(c, wxLIST_AUTOSIZE);
    const int contents = GetColumnWidth(c);
    SetColumnWidth(c, wxLIST_AUTOSIZE_USEHEADER);
    const int header = GetColumnWidth(c);
    SetColumnWidth(c, std::max(contents, header));
  }
  const bool horizontal =
      GetScrollRange(wxHORIZONTAL) > 0 && GetScrollRange(wxHORIZONTAL) > GetScrollThumb(wxHORIZONTAL);
  const bool vertical = GetScrollRange(wxVERTICAL) > 0 && GetScrollRange(wxVERTICAL) > GetScrollThumb(wxVERTICAL);
  m_nScrollBars = horizontal && vertical ? 3 : vertical ? 1 : horizontal ? 0 : -1;
}

int CListCtrlQel::VirtualColumnWidth(int column) const {
  // The control measures only the rows it draws; here the widest of the
  // caption and the longest text of the column (by characters) decides.
  constexpr int kTextMargin = 16;
  constexpr int kCheckBoxWidth = 24;
  constexpr int kIconWidth = 20;
  wxListItem item;
  item.SetMask(wxLIST_MASK_TEXT);
  GetColumn(column, item);
  int width = GetTextExtent(item.GetText()).GetWidth() + kTextMargin;
  // Texts of about the longest length are measured (a few dozen at most).
  constexpr size_t kLengthSlack = 3;
  constexpr int kMostMeasured = 64;
  size_t longest = 0;
  for (const CListRow& row : m_shown.rows)
    if (static_cast<size_t>(column) < row.cells.size()) longest = std::max(longest, row.cells[static_cast<size_t>(column)].size());
  int cells = 0;
  int measured = 0;
  for (const CListRow& row : m_shown.rows) {
    if (static_cast<size_t>(column) >= row.cells.size()) continue;
    const std::string& text = row.cells[static_cast<size_t>(column)];
    if (text.empty() || text.size() + kLengthSlack < longest) continue;
    cells = std::max(cells, GetTextExtent(ToWx(text)).GetWidth() + kTextMargin);
    if (++measured >= kMostMeasured) break;
  }
  if (column == 0) {
    if (m_bCheckBoxes) cells += kCheckBoxWidth;
    if (GetImageList(wxIMAGE_LIST_SMALL)) cells += kIconWidth;
  }
  return std::max(width, cells);
}

int CListCtrlQel::RemoveAllColumns() {
  int deleted = 0;
  while (GetColumnCount() > 0 && DeleteColumn(0)) ++deleted;
  return deleted;
}

// ---- hooks -------------------------------------------------------------------------------

void CListCtrlQel::OnRowDblClk(int) {}
void CListCtrlQel::OnCheckChanging(int) {}
void CListCtrlQel::OnRowDeselected(int) {}
void CListCtrlQel::OnRowSelected(int) {}
void CListCtrlQel::OnCheckChanged(int) {}

}  // namespace qel
