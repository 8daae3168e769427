// The plug-in's texts, chosen by the host's language setting.
#include <optional>

#include "qel/Resources.h"
#include "taskfw/TaskBase.h"

std::string CTaskBase::LoadTextResource(uint32_t id) const {
  if (!m_record) return std::string();
  std::optional<QelScopedResourceModule> scope;
  if (m_record->resources) scope.emplace(m_record->resources);
  return QelLoadTextResource(QelGetResourceModule(), id);
}

int CTaskBase::TextLanguage() const {
  const int language = m_host ? m_host->language : 0;
  if (language == 2) return 1;  // Dutch
  if (language == 3) return 2;  // Italian
  return 0;                     // default, English and anything unknown
}

uint32_t CTaskBase::TextIdForLanguage(uint32_t english, uint32_t dutch, uint32_t italian) const {
  switch (TextLanguage()) {
    case 1: return dutch;
    case 2: return italian;
    default: return english;
  }
}

void CTaskBase::LoadTextsForLanguage(const TaskTextIds (&ids)[3]) {
  const TaskTextIds& row = ids[TextLanguage()];
  const uint32_t byIndex[4] = {row.task, row.part, row.parameters, row.feedback};
  for (int i = 0; i < 4; ++i) m_texts[i] = byIndex[i] ? LoadTextResource(byIndex[i]) : std::string();
}
