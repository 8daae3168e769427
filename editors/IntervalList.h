// The on/off intervals of one response channel (a key of one hand), built
// from a stream of key events, and their comparison with the intervals of
// another channel by how much they overlap in time. Lists of the two hands
// merge into an alternating sequence or into the spans they tap together.
// Fixed arrays only: no window, no file, no allocation.
//
// Thread contract: an object belongs to one thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qel {

// Spans are [a0, a1) and [b0, b1) in ms; every division truncates toward zero.
// The overlap's length: 0 when either span is empty or they do not meet.
int32_t GetOverlapLength(int32_t a0, int32_t a1, int32_t b0, int32_t b1);
// The overlap's length; low and high its ends (both 0 without overlap).
int32_t GetOverlap(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t& low, int32_t& high);
// The overlap's length; percent = its share of the two spans' mean length
// (0 without overlap).
int32_t GetOverlapPercent(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t& low, int32_t& high,
                          int32_t& percent);
int32_t GetOverlapPercent(int32_t a0, int32_t a1, int32_t b0, int32_t b1, int32_t& percent);

// Interval flags of merged lists.
constexpr uint8_t kIntervalLeft = 1;
constexpr uint8_t kIntervalRight = 2;
constexpr uint8_t kIntervalBoth = 3;

class CIntervalList {
 public:
  static constexpr int kMaxIntervals = 500;
  // Channel bits of a response word: bits 0-1 the keys down after it,
  // bits 2-3 the keys that changed with it.
  static constexpr uint32_t kLeftChannel = 1;
  static constexpr uint32_t kRightChannel = 2;
  static constexpr int kChangeShift = 2;

  CIntervalList() = default;

  // Fills the list from n parallel entries (response words and the ms since
  // the entry before) following the channel bit mask; returns the count.
  // A release without an open press of the channel is passed over, so no
  // interval is ever closed without its onset. n below 1 or a missing array
  // gives an empty list with the mask.
  int Build(int n, const int32_t* flags, const int32_t* durations, uint32_t mask);

  // Index of the first interval with onset >= t (with onlyValid passing
  // over, and counting in skipped, the invalid ones); -1 when none.
  int FindNext(int32_t t, int& skipped, bool onlyValid) const;
  // Clears the flag of every interval meeting [t0, t1); returns how many.
  int ClearInSpan(int32_t t0, int32_t t1);
  // First interval (list order) meeting [t0, t1), flags not looked at; -1 when none.
  int FindFirstOverlap(int32_t t0, int32_t t1) const;
  // Intervals whose overlap with [t0, t1) is at least 1 ms and strictly
  // above percent of the mean length.
  int CountOverlapping(int32_t t0, int32_t t1, int32_t percent) const;
  // Clears every own interval that some interval of other overlaps above
  // percent; returns the sum of the counts.
  int ClearOverlapped(const CIntervalList& other, int32_t percent);
  // Keeps an own interval valid only when exactly one of other's overlaps it
  // above percent; with more, other's in its span are cleared too.
  int KeepSingleMatches(CIntervalList& other, int32_t percent);

  // The hands in turn (flags kIntervalLeft for a, kIntervalRight for b).
  int BuildAlternating(CIntervalList& a, CIntervalList& b, int32_t percent);
  // The spans in which a and b tap together (flag kIntervalBoth).
  int BuildSimultaneous(CIntervalList& a, CIntervalList& b, int32_t percent);

  uint32_t GetMask() const { return m_mask; }
  int32_t GetTime() const { return m_time; }
  int GetCount() const { return m_count; }
  int32_t GetOnset(int i) const { return m_onset[static_cast<size_t>(i)]; }
  int32_t GetOffset(int i) const { return m_offset[static_cast<size_t>(i)]; }
  int32_t GetPeriod(int i) const { return m_period[static_cast<size_t>(i)]; }
  uint8_t GetFlag(int i) const { return m_flag[static_cast<size_t>(i)]; }
  bool IsValid(int i) const { return m_flag[static_cast<size_t>(i)] != 0; }

 private:
  void Append(int32_t onset, int32_t offset, int32_t period, uint8_t flag);
  void Empty();

  uint32_t m_mask = 0;
  int32_t m_time = 0;
  int m_count = 0;
  std::array<int32_t, kMaxIntervals> m_onset{};
  std::array<int32_t, kMaxIntervals> m_offset{};
  std::array<int32_t, kMaxIntervals> m_period{};
  std::array<uint8_t, kMaxIntervals> m_flag{};
};

}  // namespace qel
