// The header of an experiment model: format version, program release text,
// creation date text, task count and a reserved block kept unchanged.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

class CModelHeader {
 public:
  static constexpr uint32_t kFormatVersion = 4;
  static constexpr const char* kReleaseText = "April 2010";
  static constexpr int kReservedSize = 64;

  CModelHeader() { Reset(); }

  // A new model's header: version 4, "April 2010", created now, no tasks.
  void Reset();

  uint32_t m_version = kFormatVersion;
  std::string m_release;
  std::string m_creation;  // creation date and time as locale text
  uint32_t m_taskCount = 0;
  uint8_t m_reserved[kReservedSize] = {};
};

}  // namespace qel
