#include "display/ui/DlgDDWndProp.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "common/ui/WxText.h"
#include "display/DisplayText.h"
#include "display/ui/DDDisplay.h"
#include "display/ui/WndDD.h"

namespace qel {

using namespace qel::display;

namespace {

QelRect ToRect(const wxRect& r) { return QelRect{r.x, r.y, r.x + r.width, r.y + r.height}; }

}  // namespace

CDlgDDWndProp::CDlgDDWndProp(CWndDD* window, const wxPoint* position)
    : m_pWndDD(window), m_pDisplay(window ? window->GetDisplay() : nullptr), m_pPosition(position) {}

bool CDlgDDWndProp::Create(CWndDD* window, const wxPoint* position) {
  m_pWndDD = window;
  m_pDisplay = window ? window->GetDisplay() : nullptr;
  m_pPosition = position;
  return Create();
}

bool CDlgDDWndProp::Create() {
  wxWindow* parent = m_pWndDD ? m_pWndDD->GetWindow() : nullptr;
  if (!parent) return false;
  m_bCreated = wxDialog::Create(parent, wxID_ANY, "Dialog", wxDefaultPosition, wxDefaultSize,
                                wxCAPTION | wxSTAY_ON_TOP | wxRESIZE_BORDER);
  if (!m_bCreated) return false;
  BuildControls();
  Bind(wxEVT_INIT_DIALOG, &CDlgDDWndProp::OnInitDialog, this);
  Bind(wxEVT_MOVE, &CDlgDDWndProp::OnMove, this);
  Bind(wxEVT_BUTTON, &CDlgDDWndProp::OnClose, this, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, &CDlgDDWndProp::OnCloseWindow, this);
  InitDialog();
  return true;
}

void CDlgDDWndProp::BuildControls() {
  auto row = [this](wxSizer* sizer, const char* label, int id, bool multiLine = false) {
    wxBoxSizer* line = new wxBoxSizer(wxHORIZONTAL);
    line->Add(new wxStaticText(this, wxID_ANY, label, wxDefaultPosition, wxSize(120, -1)), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    if (multiLine) {
      line->Add(new wxTextCtrl(this, id, "", wxDefaultPosition, wxSize(360, 60), wxTE_MULTILINE | wxTE_READONLY), 1,
                wxEXPAND);
    } else {
      line->Add(new wxStaticText(this, id, "", wxDefaultPosition, wxSize(360, -1)), 1, wxALIGN_CENTER_VERTICAL);
    }
    sizer->Add(line, 0, wxEXPAND | wxALL, 2);
  };
  wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);

  m_monitorGroup = new wxStaticBox(this, wxID_ANY, "Monitor");
  wxStaticBoxSizer* monitor = new wxStaticBoxSizer(m_monitorGroup, wxVERTICAL);
  row(monitor, "GUID", kIdGuid);
  row(monitor, "Monitor", kIdMonitorRect);
  row(monitor, "Local memory", kIdMemLocal);
  row(monitor, "Nonlocal memory", kIdMemNonlocal);
  column->Add(monitor, 0, wxEXPAND | wxALL, 6);

  m_windowGroup = new wxStaticBox(this, wxID_ANY, "Window");
  wxStaticBoxSizer* window = new wxStaticBoxSizer(m_windowGroup, wxVERTICAL);
  row(window, "Window", kIdWindowRect);
  row(window, "Client", kIdWindowClient);
  row(window, "Display client", kIdDisplayClient);
  row(window, "Display screen", kIdDisplayScreen);
  column->Add(window, 0, wxEXPAND | wxALL, 6);

  row(column, "Last error", kIdLastError);
  row(column, "Capabilities", kIdCaps, true);
  m_listSurfaces = new wxListCtrl(this, kIdSurfaces, wxDefaultPosition, wxSize(480, 180),
                                  wxLC_REPORT | wxLC_HRULES | wxLC_VRULES | wxLC_SINGLE_SEL);
  column->Add(m_listSurfaces, 1, wxEXPAND | wxALL, 6);
  column->Add(new wxButton(this, wxID_CANCEL, "Close"), 0, wxALIGN_RIGHT | wxALL, 6);
  SetSizerAndFit(column);
}

void CDlgDDWndProp::OnInitDialog(wxInitDialogEvent&) {
  if (m_pPosition) Move(*m_pPosition);
  if (m_pDisplay) {
    CDDDisplay& d = *m_pDisplay;
    m_monitorGroup->SetLabel(
        wxString::Format("Monitor: %d%s", d.GetDisplaySelected(), d.IsPrimary() ? " (primary)" : ""));
    m_windowGroup->SetLabel(wxString::Format("Window%s", d.IsWindowed() ? "" : " (fullscreen)"));

    m_strGuid = d.StringDisplayGUID();
    QelRect r;
    d.GetRect(r, 0);
    m_strMonitor = FormatRect(r);
    if (wxWindow* w = m_pWndDD->GetWindow()) {
      m_strWindow = FormatRect(ToRect(w->GetScreenRect()));
      const wxSize client = w->GetClientSize();
      m_strWindowClient = FormatRect(QelRect{0, 0, client.x, client.y});
    }
    d.GetRect(r, 3);
    m_strDisplayClient = FormatRect(r);
    d.GetRect(r, 4);
    m_strDisplayScreen = FormatRect(r);
    m_strLastError = d.StringErrMessageLast();

    std::string total, free;
    if (d.StringMemAvailable(total, free, true)) m_strMemLocal = total + "/" + free;
    if (d.StringMemAvailable(total, free, false)) m_strMemNonlocal = total + "/" + free;

    std::string hardware, further;
    uint32_t memTotal = 0, memFree = 0, maxVP = 0;
    if (d.StringDDCapsHardware(hardware, further, memTotal, memFree, maxVP)) {
      m_strCaps = wxString::Format("MaxVP=%u, MemTotal=%s, MemFree=%s, ", maxVP, CDDDisplay::StringMem(memTotal),
                                   CDDDisplay::StringMem(memFree))
                      .utf8_string() +
                  hardware;
      if (!further.empty()) m_strCaps += ", " + further;
    }
  }

  m_listSurfaces->ClearAll();
  m_listSurfaces->AppendColumn(wxString::FromUTF8("\xC2\xB9"), wxLIST_FORMAT_RIGHT, 20);
  m_listSurfaces->AppendColumn("Size", wxLIST_FORMAT_RIGHT, 50);
  m_listSurfaces->AppendColumn("Bits", wxLIST_FORMAT_RIGHT, 50);
  m_listSurfaces->AppendColumn("Capabilities", wxLIST_FORMAT_LEFT, 150);
  int row = 0;
  for (const int n : {kSurfaceFront, kSurfaceBack, 0, 1, 2, 3, 4, 5, 6, 7}) {
    if (SetListItem(row, n)) ++row;
  }
  for (int c = 0; c < 4; ++c) m_listSurfaces->SetColumnWidth(c, wxLIST_AUTOSIZE_USEHEADER);

  if (m_pDisplay) SetTitle(AttributeWords(m_pDisplay->GetAttr()));

  SetDlgItemTextA(kIdGuid, m_strGuid);
  SetDlgItemTextA(kIdMonitorRect, m_strMonitor);
  SetDlgItemTextA(kIdWindowRect, m_strWindow);
  SetDlgItemTextA(kIdWindowClient, m_strWindowClient);
  SetDlgItemTextA(kIdDisplayClient, m_strDisplayClient);
  SetDlgItemTextA(kIdDisplayScreen, m_strDisplayScreen);
  SetDlgItemTextA(kIdLastError, m_strLastError);
  SetDlgItemTextA(kIdCaps, m_strCaps);
  SetDlgItemTextA(kIdMemLocal, m_strMemLocal);
  SetDlgItemTextA(kIdMemNonlocal, m_strMemNonlocal);
}

bool CDlgDDWndProp::SetListItem(int row, int n) {
  int width = 0, height = 0, bits = 0;
  uint32_t caps = 0;
  if (!m_pDisplay || !m_pDisplay->SurfaceDescribe(n, width, height, bits, caps)) return false;
  const wxString name = n == kSurfaceFront  ? wxString("F")
                        : n == kSurfaceBack ? wxString("B")
                                            : wxString::Format("%d", n);
  const long item = m_listSurfaces->InsertItem(row, name);
  m_listSurfaces->SetItem(item, 1, wxString::Format("%dx%d", width, height));
  m_listSurfaces->SetItem(item, 2, wxString::Format("%d", bits));
  m_listSurfaces->SetItem(item, 3, SurfaceCapsWords(caps, false));
  return true;
}

void CDlgDDWndProp::SetDlgItemTextA(int id, const std::string& text) {
  wxWindow* control = FindWindow(id);
  if (!control) return;
  if (wxTextCtrl* edit = dynamic_cast<wxTextCtrl*>(control)) {
    edit->ChangeValue(ToWx(text));
  } else {
    control->SetLabel(ToWx(text));
  }
}

void CDlgDDWndProp::OnMove(wxMoveEvent& event) {
  event.Skip();
  Refresh();  // stays drawn over the full-screen display
}

void CDlgDDWndProp::OnClose(wxCommandEvent&) { Close(); }
void CDlgDDWndProp::OnCloseWindow(wxCloseEvent&) { Close(); }

void CDlgDDWndProp::Close() {
  if (m_pWndDD && m_pWndDD->GetPropertiesDialog() == this) m_pWndDD->ForgetPropertiesDialog();
  Destroy();
}

}  // namespace qel
