// The program's per-user settings: sections and named values in one file
// under the user's configuration folder ("Quorvex Qel"). The application
// object owns one and forwards its four setting operations to it. Every
// read goes to the store and every write reaches the file at once. A value
// that cannot be read gives its default; nothing here opens a window.
#pragma once

#include <memory>
#include <string>

#include "app/settings/FixedFieldText.h"

class wxConfigBase;
class wxFileConfig;

namespace qel {

// "Window size" and "Window view".
struct QelWindowState {
  QelWindowRect rect;  // "Rect"
  int icon = 0;        // minimized
  int max = 0;         // maximized
  int view = 0;        // "Window view" / "View"
};

// "Document": the report font and the page margins.
struct QelReportSettings {
  std::string font = "Arial";
  int fontSize = -40;
  QelPageMargins margins;
};

class CQelSettings {
 public:
  static constexpr const char* kKeyName = "Quorvex Qel";

  // $XDG_CONFIG_HOME (or ~/.config) + "/Quorvex Qel/Qel.conf".
  static std::string DefaultPath();

  // The store at path (its folder is made when missing); tests pass a file
  // in a folder of their own.
  explicit CQelSettings(const std::string& path = DefaultPath());
  ~CQelSettings();
  CQelSettings(const CQelSettings&) = delete;
  CQelSettings& operator=(const CQelSettings&) = delete;

  // The stored value, or the default when it is absent or cannot be read.
  int GetSettingInt(const std::string& section, const std::string& entry, int defaultValue) const;
  // True when the value reached the file.
  bool WriteSettingInt(const std::string& section, const std::string& entry, int value);
  std::string GetSettingString(const std::string& section, const std::string& entry, const char* defaultText) const;
  bool WriteSettingString(const std::string& section, const std::string& entry, const std::string& text);

  // The six "Settings" values into their globals, and back.
  void LoadSystemSettings();
  bool SaveSystemSettings();

  QelWindowState LoadWindowState() const;
  bool SaveWindowState(const QelWindowState& state);

  QelReportSettings LoadReportSettings() const;
  bool SaveReportFont(const std::string& face, int size);
  bool SaveReportMargins(const QelPageMargins& margins);

  std::string GetWorkingFolder() const;
  bool SetWorkingFolder(const std::string& path);

  // The store itself, for the recent-file list; Flush writes what was
  // changed through it to the file (whole, atomically). A failed write is
  // answered false and shown to nobody.
  wxConfigBase* Config();
  bool Flush();
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  std::unique_ptr<wxFileConfig> m_config;
};

}  // namespace qel
