#include "scores/ui/DlgScoreList.h"

#include <algorithm>
#include <cstdio>

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/image.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "common/Prompt.h"

namespace qel {

namespace {

constexpr int kPictureWidth = 900;
constexpr int kGraphHeight = 600;
constexpr int kLineExtra = 2;
constexpr int kHeaderLines = 6;
constexpr int kScreenMargin = 120;

bool IsGraph(ScoreView v) { return v == ScoreView::kZ || v == ScoreView::kZNorm; }

}  // namespace

std::string ScoreListCaption(const std::string& path, bool print, ScoreView view) {
  if (!print) return "Save to: " + (path.empty() ? std::string("<<NOT DEFINED>>") : path);
  if (view == ScoreView::kZNorm) return "Print norm curve";
  if (view == ScoreView::kZ) return "Print Z-scores";
  return "Print score table";
}

CDlgScoreList::CDlgScoreList(wxWindow* parent, const ScoreSheetPrint& sheet, const std::string& path, bool print)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(ScoreListCaption(path, print, sheet.view)), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_sheet(sheet), m_path(path), m_print(print) {
  int height = kGraphHeight;
  if (!IsGraph(sheet.view) && sheet.document) {
    wxBitmap probe(1, 1, 24);
    wxMemoryDC dc(probe);
    dc.SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS)));
    height = (static_cast<int>(sheet.document->Sheet().Rows().size()) + kHeaderLines) * (dc.GetCharHeight() + kLineExtra);
  }
  m_picture = wxBitmap(kPictureWidth, height, 24);
  {
    wxMemoryDC dc(m_picture);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    DrawScoreSheetPage(dc, wxRect(0, 0, kPictureWidth, height), sheet, 0);
  }
  const wxRect screen = wxDisplay(0u).GetClientArea();
  wxSize shown(kPictureWidth, height);
  if (shown.x > screen.width - kScreenMargin || shown.y > screen.height - kScreenMargin) {
    m_wholeVisible = false;
    shown.x = std::min(shown.x, screen.width - kScreenMargin);
    shown.y = std::min(shown.y, screen.height - kScreenMargin);
  }
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* scroll = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, shown);
  scroll->SetScrollRate(10, 10);
  auto* inner = new wxBoxSizer(wxVERTICAL);
  inner->Add(new wxStaticBitmap(scroll, wxID_ANY, m_picture));
  scroll->SetSizer(inner);
  scroll->FitInside();
  top->Add(scroll, 1, wxEXPAND | wxALL, 6);
  // A table larger than the screen scrolls; the whole table is saved, not only its visible part.
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_ok = new wxButton(this, wxID_ANY, print ? "Print" : "Save");
  m_ok->Enable(m_picture.IsOk());
  buttons->Add(m_ok, 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Close"));
  top->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 6);
  SetSizerAndFit(top);
  m_ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (m_print) {
      PrintScoreSheet(this, m_sheet);  // the dialog stays open
    } else if (SavePicture()) {
      EndModal(wxID_OK);
    }
  });
}

bool CDlgScoreList::SavePicture() {
  if (m_path.empty() || !m_picture.IsOk()) return false;
  const bool png = m_path.size() > 4 && m_path.compare(m_path.size() - 4, 4, ".png") == 0;
  const std::string temp = m_path + ".new";
  if (!m_picture.ConvertToImage().SaveFile(wxString::FromUTF8(temp), png ? wxBITMAP_TYPE_PNG : wxBITMAP_TYPE_BMP) ||
      std::rename(temp.c_str(), m_path.c_str()) != 0) {
    std::remove(temp.c_str());
    ShowPrompt("Cannot write the file:\n" + m_path, "Qel", kPromptOk | kPromptIconStop);
    return false;
  }
  return true;
}

}  // namespace qel
