#include "app/settings/QelSettings.h"

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/sstream.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "app/settings/SettingsText.h"
#include "app/settings/SystemSettings.h"
#include "common/AtomicFile.h"
#include "common/TextEncoding.h"

namespace qel {

namespace {

constexpr const char* kWindowSize = "Window size";
constexpr const char* kWindowView = "Window view";
constexpr const char* kDocument = "Document";
constexpr const char* kWorkingFolder = "Working folder";
constexpr size_t kMaxSettingsFileSize = 1 << 20;

wxString Key(const std::string& section, const std::string& entry) {
  return "/" + wxString::FromUTF8(section) + "/" + wxString::FromUTF8(entry);
}

}  // namespace

std::string CQelSettings::DefaultPath() {
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : ".") + "/.config";
  }
  return base + "/" + kKeyName + "/Qel.conf";
}

CQelSettings::CQelSettings(const std::string& path) : m_path(path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty() && std::filesystem::create_directories(folder, ec)) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  }
  // The store reads the file itself, cleaned of what a hand edit can break,
  // and writes it back whole; wx's own messages about the text stay quiet.
  std::vector<uint8_t> bytes;
  std::string text;
  if (ReadFileBounded(path, kMaxSettingsFileSize, &bytes, nullptr)) {
    text = CleanSettingsText(TextAsUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
  }
  wxLogNull quiet;
  wxStringInputStream in(wxString::FromUTF8(text));
  m_config = std::make_unique<wxFileConfig>(in, wxConvUTF8);
  // Values are taken as stored: a folder name with "$" in it stays as it is.
  m_config->SetExpandEnvVars(false);
}

CQelSettings::~CQelSettings() = default;

wxConfigBase* CQelSettings::Config() { return m_config.get(); }

bool CQelSettings::Flush() {
  wxLogNull quiet;
  wxString text;
  wxStringOutputStream out(&text, wxConvUTF8);
  if (!m_config->Save(out, wxConvUTF8)) return false;
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return WriteFileAtomically(m_path, utf8.data(), utf8.length(), nullptr);
}

int CQelSettings::GetSettingInt(const std::string& section, const std::string& entry, int defaultValue) const {
  long value = defaultValue;
  if (!m_config->Read(Key(section, entry), &value, defaultValue)) return defaultValue;
  if (value < INT_MIN || value > INT_MAX) return defaultValue;
  return static_cast<int>(value);
}

bool CQelSettings::WriteSettingInt(const std::string& section, const std::string& entry, int value) {
  return m_config->Write(Key(section, entry), static_cast<long>(value)) && Flush();
}

std::string CQelSettings::GetSettingString(const std::string& section, const std::string& entry,
                                           const char* defaultText) const {
  const wxString fallback = wxString::FromUTF8(defaultText ? defaultText : "");
  wxString value;
  if (!m_config->Read(Key(section, entry), &value, fallback)) value = fallback;
  return std::string(value.utf8_str());
}

bool CQelSettings::WriteSettingString(const std::string& section, const std::string& entry, const std::string& text) {
  return m_config->Write(Key(section, entry), wxString::FromUTF8(text)) && Flush();
}

void CQelSettings::LoadSystemSettings() {
  const QelSystemSetting* s = SystemSettings();
  for (int i = 0; i < kSystemSettingCount; ++i) {
    *s[i].value = GetSettingInt(kSettingsSection, s[i].entry, s[i].defaultValue);
  }
}

bool CQelSettings::SaveSystemSettings() {
  const QelSystemSetting* s = SystemSettings();
  bool ok = true;
  for (int i = 0; i < kSystemSettingCount; ++i) {
    ok = WriteSettingInt(kSettingsSection, s[i].entry, *s[i].value) && ok;
  }
  return ok;
}

QelWindowState CQelSettings::LoadWindowState() const {
  QelWindowState state;
  state.rect = ParseWindowRectText(GetSettingString(kWindowSize, "Rect", ""));
  state.icon = GetSettingInt(kWindowSize, "icon", 0);
  state.max = GetSettingInt(kWindowSize, "max", 0);
  state.view = GetSettingInt(kWindowView, "View", 0);
  return state;
}

bool CQelSettings::SaveWindowState(const QelWindowState& state) {
  bool ok = WriteSettingString(kWindowSize, "Rect", FormatWindowRectText(state.rect));
  ok = WriteSettingInt(kWindowSize, "icon", state.icon) && ok;
  ok = WriteSettingInt(kWindowSize, "max", state.max) && ok;
  ok = WriteSettingInt(kWindowView, "View", state.view) && ok;
  return ok;
}

QelReportSettings CQelSettings::LoadReportSettings() const {
  QelReportSettings report;
  report.font = GetSettingString(kDocument, "Font", "Arial");
  report.fontSize = GetSettingInt(kDocument, "FontSize", -40);
  report.margins = ParsePageMarginsText(GetSettingString(kDocument, "Margins", ""));
  return report;
}

bool CQelSettings::SaveReportFont(const std::string& face, int size) {
  const bool ok = WriteSettingString(kDocument, "Font", face);
  return WriteSettingInt(kDocument, "FontSize", size) && ok;
}

bool CQelSettings::SaveReportMargins(const QelPageMargins& margins) {
  return WriteSettingString(kDocument, "Margins", FormatPageMarginsText(margins));
}

std::string CQelSettings::GetWorkingFolder() const { return GetSettingString(kWorkingFolder, "Path", ""); }

bool CQelSettings::SetWorkingFolder(const std::string& path) {
  return WriteSettingString(kWorkingFolder, "Path", path);
}

}  // namespace qel
