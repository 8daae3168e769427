// The About box: the program's name and version, the 21 CFR mark in that
// mode, and seven rich-text pages in tabs, each page's text chosen by the
// Language setting.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <string>

class wxNotebook;
class wxBookCtrlEvent;

namespace qel {

class CRichTextView;

class CDlgAbout : public wxDialog {
 public:
  static constexpr int kTemplateId = 159;
  static constexpr int kIdVersion = 1014;
  static constexpr int kIdFurther = 1349;
  static constexpr int kIdCfr = 1350;
  static constexpr int kIdTabs = 1099;
  // The pages' text views, in tab order.
  static constexpr int kPageTextIds[7] = {1101, 1343, 1104, 1103, 1102, 1100, 1309};
  static constexpr const char* kVersion = "4.0";

  explicit CDlgAbout(wxWindow* parent);

  std::string GetVersionText() const { return m_versionText; }
  std::string GetCfrText() const { return m_cfrText; }
  CRichTextView* GetPage(int i) const { return i >= 0 && i < 7 ? m_pages[static_cast<size_t>(i)] : nullptr; }
  wxNotebook* GetTabs() const { return m_pTabs; }

 private:
  std::string m_versionText;
  std::string m_cfrText;
  wxNotebook* m_pTabs = nullptr;
  std::array<CRichTextView*, 7> m_pages{};
};

}  // namespace qel
