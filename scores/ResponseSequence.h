// The response sequence of a four-part tapping assessment: each part's
// responses as on/off intervals of the left and the right key, the taps of
// the other hand cleared in the one-hand parts, the hands in turn (part 3)
// and together (part 4) judged by their overlap, the valid taps counted,
// and the time window the graph shows.
//
// Thread contract: user-interface thread only.
#pragma once

#include <array>
#include <string>

#include "editors/IntervalList.h"

namespace qel {

class ITaskRunData;
class IExpModelTask;

inline constexpr int kSequenceParts = 4;
inline constexpr int kSequenceMaxSeconds = 20;

class CResponseSequence {
 public:
  // task and run data may be null (then every list stays empty).
  CResponseSequence(const IExpModelTask* task, const ITaskRunData* runData);

  // Builds the lists with the overlap criteria on or off (off: 0 %).
  void Recompute(bool useCriteria);
  // Only the bimanual lists again (the criteria switch).
  void RebuildBimanual(bool useCriteria);

  // The list of a key (0 left, 1 right) in a part (0-3); the merged list of a part.
  const CIntervalList& Key(int part, int key) const { return m_keys[static_cast<size_t>(part)][static_cast<size_t>(key)]; }
  const CIntervalList& Band(int part) const;
  int ValidTaps(int part) const { return m_valid[static_cast<size_t>(part)]; }
  int TotalLength() const { return m_totalLength; }
  int FirstTap() const { return m_firstTap; }
  int AllowOverlap() const { return m_allow; }
  int DemandOverlap() const { return m_demand; }
  std::string Title() const;

  // The shown time window, whole seconds.
  int From() const { return m_from; }
  int To() const { return m_to; }
  int Maximum() const { return m_maximum; }
  int Window() const { return m_to - m_from; }
  // The up-down steps (-1 or +1) of "From" and "To": true when changed.
  bool StepFrom(int step);
  bool StepTo(int step);

 private:
  const IExpModelTask* m_task;
  const ITaskRunData* m_runData;
  std::array<std::array<CIntervalList, 2>, kSequenceParts> m_keys;
  CIntervalList m_alternating, m_simultaneous;
  std::array<int, kSequenceParts> m_valid{};
  int m_totalLength = 0;
  int m_firstTap = 0;
  int m_allow = 0, m_demand = 0;
  int m_from = 0, m_to = kSequenceMaxSeconds, m_maximum = kSequenceMaxSeconds;
};

// The x of a time (ms) in a band of that left and width showing the window.
int SequenceX(int32_t t, int left, int width, int fromSeconds, int toSeconds);

}  // namespace qel
