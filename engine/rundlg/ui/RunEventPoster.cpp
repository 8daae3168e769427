#include "engine/rundlg/ui/RunEventPoster.h"

#include "ui/ui/QelNotify.h"

namespace qel {

void CRunEventPoster::PostRunEvent(int32_t code, intptr_t lParam) { qel::PostNotify(m_target, code, lParam); }

}  // namespace qel
