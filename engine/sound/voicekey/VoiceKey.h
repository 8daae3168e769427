// The voice key: watches both channels of the sound capture on a 1 ms timer
// of its own and raises bit 0 (first channel) or bit 1 (second channel)
// while that channel's level reaches the threshold. The run's tick reads
// the bits without waiting.
//
// When the bits rise from none, the key keeps the trigger: the captured
// frame at which a channel now raised first reached the threshold, and
// that frame's CLOCK_MONOTONIC capture time (its block's hand-over time
// less the frames after it at the capture rate). The trigger is written
// before the bits, so a reader that sees the bits sees their trigger.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/sound/voicekey/PeriodicTimer.h"
#include "engine/sound/voicekey/VoiceKeyChannel.h"

namespace qel {

class CVoiceKey {
 public:
  static constexpr uint32_t kReadBytes = 16000;  // at most 4000 frames per beat
  static constexpr int kCaptureRate = 8000;
  static constexpr int kBlocks = 1000;

  CVoiceKey();
  ~CVoiceKey();
  CVoiceKey(const CVoiceKey&) = delete;
  CVoiceKey& operator=(const CVoiceKey&) = delete;

  // Threshold in percent; as a level percent x 32767 / 100.
  void SetThreshold(int percent);
  int ThresholdPercent() const { return m_thresholdPercent; }
  int ThresholdLevel() const { return m_thresholdLevel.load(); }

  // Opens the capture device (false when that fails) and readies both detectors.
  bool Init(int captureDevice);
  // Starts the capture looping and the 1 ms beat; false when already running
  // or when either cannot start.
  bool Start();
  bool InitAndStart(int captureDevice);
  // Ends the beat, then stops the capture when it runs.
  void Stop();
  // Stop, then frees the capture.
  void Release();
  void Close() { Release(); }

  bool IsRunning() const { return m_timer.IsRunning(); }
  uint32_t Bits() const { return m_bits.load(std::memory_order_acquire); }
  // The latest trigger since the start: its capture time and its frame
  // (counted from the capture's start); false when there was none.
  bool TriggerNs(int64_t* ns) const;
  uint64_t TriggerFrame() const { return m_triggerFrame.load(std::memory_order_acquire); }
  int Level(int channel) const { return channel == 0 || channel == 1 ? m_levels[channel].load() : 0; }
  int InCallbackCount() const { return m_inCallback.load(); }

  // One beat: reads what was captured since the last beat and feeds it to
  // the detectors (the timer thread calls it).
  void OnTimer();

  // Feeds one read's frames (16-bit little-endian stereo pairs; the first
  // is frame firstFrame) to the detectors and returns the bits they give.
  // When the bits rise from `before` = 0, triggerFrame is the frame at
  // which a channel now raised first reached the threshold.
  uint32_t Feed(const uint8_t* data, uint32_t frames, uint64_t firstFrame, uint32_t before, uint64_t* triggerFrame);

 private:
  void ResetState();

  CVoiceKeyChannel m_channels[2];
  std::atomic<uint32_t> m_bits{0};
  std::atomic<int64_t> m_triggerNs{0};  // 0: none since the start
  std::atomic<uint64_t> m_triggerFrame{0};
  std::atomic<int> m_levels[2] = {0, 0};
  int m_thresholdPercent = 50;
  std::atomic<int> m_thresholdLevel{50 * 32767 / 100};
  std::atomic<int> m_inCallback{0};
  std::vector<uint8_t> m_buffer;
  CPeriodicTimer m_timer;
};

}  // namespace qel
