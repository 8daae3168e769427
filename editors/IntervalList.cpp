#include "editors/IntervalList.h"

#include <algorithm>

namespace qel {

int32_t GetOverlapLength(int32_t a0, int32_t a1, int32_t b0, int32_t b1) {
  if (a0 >= a1 || b0 >= b1) return 0;
  const int32_t length = std::min(a1, b1) - std::max(a0, b0);
  return length > 0 ? length : 0;
}

int32_t GetOverlap(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t& low, int32_t& high) {
  const int32_t length = GetOverlapLength(a0, a1, b0, b1);
  if (length >= 1) {
    low = std::max(a0, b0);
    high = std::min(a1, b1);
    return length;
  }
  low = high = 0;
  return 0;
}

int32_t GetOverlapPercent(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t& low, int32_t& high,
                          int32_t& percent) {
  percent = 0;
  const int32_t length = GetOverlap(a0, a1, b0, b1, low, high);
  if (length >= 1) {
    // Both spans hold the overlap, so their mean length is at least 1.
    const int32_t meanLength = (a1 - a0 + b1 - b0) / 2;
    percent = length * 100 / std::max<int32_t>(meanLength, 1);
  }
  return length;
}

int32_t GetOverlapPercent(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t& percent) {
  int32_t low = 0;
  int32_t high = 0;
  return GetOverlapPercent(a0, a1, b0, b1, low, high, percent);
}

void CIntervalList::Empty() {
  m_time = 0;
  m_count = 0;
}

void CIntervalList::Append(int32_t onset, int32_t offset, int32_t period, uint8_t flag) {
  const auto i = static_cast<size_t>(m_count);
  m_onset[i] = onset;
  m_offset[i] = offset;
  m_period[i] = period;
  m_flag[i] = flag;
  ++m_count;
}

int CIntervalList::Build(int n, const int32_t* flags, const int32_t* durations, uint32_t mask) {
  m_mask = mask;
  Empty();
  if (n < 1 || !flags || !durations) return 0;
  bool open = false;
  uint8_t openBits = 0;
  for (int i = 0; i < n && m_count < kMaxIntervals; ++i) {
    m_time += durations[i];
    const auto word = static_cast<uint32_t>(flags[i]);
    if (((word >> kChangeShift) & mask) == 0) continue;
    const auto k = static_cast<size_t>(m_count);
    if (word & mask) {
      m_onset[k] = m_offset[k] = m_time;
      m_period[k] = 0;
      m_flag[k] = 0;
      openBits = static_cast<uint8_t>(word & mask);
      open = true;
    } else if (open) {
      m_offset[k] = m_time;
      if (m_count > 0) m_period[k] = m_onset[k] - m_onset[k - 1];
      m_flag[k] = openBits;
      open = false;
      ++m_count;
    }
  }
  return m_count;
}

int CIntervalList::FindNext(int32_t t, int& skipped, bool onlyValid) const {
  skipped = 0;
  for (int i = 0; i < m_count; ++i) {
    if (GetOnset(i) < t) continue;
    if (onlyValid && !IsValid(i)) {
      ++skipped;
      continue;
    }
    return i;
  }
  return -1;
}

int CIntervalList::ClearInSpan(int32_t t0, int32_t t1) {
  int cleared = 0;
  for (int i = 0; i < m_count; ++i) {
    if (GetOverlapLength(GetOnset(i), GetOffset(i), t0, t1) > 0) {
      m_flag[static_cast<size_t>(i)] = 0;
      ++cleared;
    }
  }
  return cleared;
}

int CIntervalList::FindFirstOverlap(int32_t t0, int32_t t1) const {
  for (int i = 0; i < m_count; ++i) {
    if (GetOverlapLength(GetOnset(i), GetOffset(i), t0, t1) > 0) return i;
  }
  return -1;
}

int CIntervalList::CountOverlapping(int32_t t0, int32_t t1, int32_t percent) const {
  int n = 0;
  for (int i = 0; i < m_count; ++i) {
    int32_t share = 0;
    if (GetOverlapPercent(GetOnset(i), GetOffset(i), t0, t1, share) >= 1 && share > percent) ++n;
  }
  return n;
}

int CIntervalList::ClearOverlapped(const CIntervalList& other, int32_t percent) {
  int sum = 0;
  for (int i = 0; i < m_count; ++i) {
    const int c = other.CountOverlapping(GetOnset(i), GetOffset(i), percent);
    if (c >= 1) m_flag[static_cast<size_t>(i)] = 0;
    sum += c;
  }
  return sum;
}

int CIntervalList::KeepSingleMatches(CIntervalList& other, int32_t percent) {
  int sum = 0;
  for (int i = 0; i < m_count; ++i) {
    const int c = other.CountOverlapping(GetOnset(i), GetOffset(i), percent);
    if (c != 1) m_flag[static_cast<size_t>(i)] = 0;
    if (c > 1) other.ClearInSpan(GetOnset(i), GetOffset(i));
    sum += c;
  }
  return sum;
}

int CIntervalList::BuildAlternating(CIntervalList& a, CIntervalList& b, int32_t percent) {
  a.ClearOverlapped(b, percent);
  b.ClearOverlapped(a, percent);
  Empty();
  enum class Side { kNone, kA, kB };
  int32_t t = -1;
  int32_t reference = -1;
  Side last = Side::kNone;
  while (m_count < kMaxIntervals) {
    int skippedA = 0;
    int skippedB = 0;
    const int ia = a.FindNext(t + 1, skippedA, true);
    const int ib = b.FindNext(t + 1, skippedB, true);
    if (ia < 0 && ib < 0) break;
    // Equal onsets belong to a.
    const bool takeB = ia < 0 || (ib >= 0 && b.GetOnset(ib) < a.GetOnset(ia));
    const Side side = takeB ? Side::kB : Side::kA;
    CIntervalList& list = takeB ? b : a;
    const int k = takeB ? ib : ia;
    const int skipped = takeB ? skippedB : skippedA;
    t = list.GetOnset(k);
    if (side == last && skippedA == 0 && skippedB == 0) {
      list.m_flag[static_cast<size_t>(k)] = 0;  // the same hand again
      reference = t;
    } else if (m_count > 0 && skipped > 0) {
      last = side;  // the sequence restarts after an invalid tap
      reference = t;
    } else {
      Append(t, list.GetOffset(k), t - reference, takeB ? kIntervalRight : kIntervalLeft);
      m_time = list.GetOffset(k);
      last = side;
      reference = t;
    }
  }
  return m_count;
}

int CIntervalList::BuildSimultaneous(CIntervalList& a, CIntervalList& b, int32_t percent) {
  a.KeepSingleMatches(b, percent);
  b.KeepSingleMatches(a, percent);
  Empty();
  int32_t t = -1;
  int32_t reference = -1;
  bool restart = false;
  while (m_count < kMaxIntervals) {
    int skippedA = 0;
    int skippedB = 0;
    const int ia = a.FindNext(t + 1, skippedA, true);
    const int ib = b.FindNext(t + 1, skippedB, true);
    if (ia < 0 || ib < 0) break;
    const int32_t mid = (a.GetOnset(ia) + b.GetOnset(ib)) / 2;
    t = std::max(a.GetOffset(ia), b.GetOffset(ib));
    restart = restart || skippedA > 0 || skippedB > 0;
    const int ca = a.CountOverlapping(mid, t, percent);
    const int cb = b.CountOverlapping(mid, t, percent);
    if (ca < 2 && cb < 2) {
      if (restart && m_count > 0) {
        restart = false;
        reference = mid;
      } else {
        Append(mid, t, mid - reference, kIntervalBoth);
        m_time = t;
        restart = false;
        reference = mid;
      }
    } else {
      a.ClearInSpan(mid, t);
      b.ClearInSpan(mid, t);
      t = std::min(a.GetOffset(ia), b.GetOffset(ib));
      restart = true;
    }
  }
  return m_count;
}

}  // namespace qel
