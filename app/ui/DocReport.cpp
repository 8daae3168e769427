#include "app/ui/DocReport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/text/DateTimeText.h"
#include "app/text/NumberText.h"

namespace qel {

wxIMPLEMENT_DYNAMIC_CLASS(CDocReport, wxDocument);

namespace {
CQelSettings* g_store = nullptr;
constexpr mode_t kNewFileMode = 0644;
}  // namespace

void CDocReport::SetSettingsStore(CQelSettings* store) { g_store = store; }

CDocReport::CDocReport() : m_printSettings(std::make_unique<CPrintSettings>(g_store)) {
  ResetReportTexts();
  ResetPrintState();
}

CDocReport::~CDocReport() = default;

bool CDocReport::OpenReportFile() {
  CloseReportFile();
  if (m_reportPath.empty()) return false;
  // Made when missing, kept as it is when present.
  const int fd = ::open(m_reportPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return false;
  struct stat st;
  const bool sized = ::fstat(fd, &st) == 0;
  ::close(fd);
  if (!m_reportFile.Open(m_reportPath, CTextFile::kRead)) return false;
  m_bFileOpen = true;
  m_sizeText = sized ? FormatSize(static_cast<uint64_t>(st.st_size), false) : std::string();
  return true;
}

void CDocReport::CloseReportFile() {
  if (!m_bFileOpen) return;
  m_reportFile.Close(false);
  m_bFileOpen = false;
}

bool CDocReport::OnOpenDocument(const wxString& path) {
  if (!wxDocument::OnOpenDocument(path)) return false;
  if (OpenReportFile()) m_reportFile.ReadWholeFile(&m_reportText);
  return true;
}

bool CDocReport::OnCloseDocument() {
  CloseReportFile();
  return wxDocument::OnCloseDocument();
}

bool CDocReport::DeleteContents() {
  const bool done = wxDocument::DeleteContents();
  CloseReportFile();
  ResetReportTexts();
  ResetPrintState();
  return done;
}

void CDocReport::ResetReportTexts() {
  m_reportPath.clear();
  m_sizeText.clear();
  m_reportText.clear();
  m_bFileOpen = false;
  m_title = "REPORT";
  m_subtitle.clear();
  m_totalLabel = "Lines total";
  m_footerText.clear();
}

void CDocReport::ResetPrintState() {
  m_lineCount = 0;
  m_printDate = CurrentLocalDateTime();
}

}  // namespace qel
