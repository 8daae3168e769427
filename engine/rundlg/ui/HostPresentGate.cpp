#include "engine/rundlg/ui/HostPresentGate.h"

#include "engine/host/ui/TaskHost.h"
#include "engine/timer/TimerMs.h"

namespace qel {

void CHostPresentGate::HoldUntil(int64_t runNs) { m_host.HoldOutputsUntil(m_clock.SourceNsAt(runNs)); }

void CHostPresentGate::Release() { m_host.HoldOutputsUntil(0); }

}  // namespace qel
