// The plug-in's texts, chosen by the host's language setting.
#include "include/qel/Resources.h"
#include "taskfw/TaskBase.h"

namespace qel {

std::string CTaskBase::LoadTextResource(uint32_t id) const {
  if (!m_record) return std::string();
  // Looked up in the plug-in's table itself rather than by switching the
  // current module: tasks draw and load on worker threads too, and nothing
  // shared changes here.
  const QelResModule module = m_record->resources ? m_record->resources : QelGetResourceModule();
  return QelLoadTextResource(module, id);
}

int CTaskBase::TextLanguage() const {
  const int language = m_host ? m_host->language : 0;
  if (language == 2) return 1;  // Dutch
  if (language == 3) return 2;  // Italian
  return 0;                     // default, English and anything unknown
}

uint32_t CTaskBase::TextIdForLanguage(uint32_t english, uint32_t dutch, uint32_t italian) const {
  switch (TextLanguage()) {
    case 1:
      return dutch;
    case 2:
      return italian;
    default:
      return english;
  }
}

void CTaskBase::LoadTextsForLanguage(const TaskTextIds (&ids)[3]) {
  const TaskTextIds& row = ids[TextLanguage()];
  const uint32_t byIndex[4] = {row.task, row.part, row.parameters, row.feedback};
  for (int i = 0; i < 4; ++i) m_texts[i] = byIndex[i] ? LoadTextResource(byIndex[i]) : std::string();
}

}  // namespace qel
